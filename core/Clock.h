#pragma once

#include "core/DateTime.h"

#include <cstdint>

// Where the model reads the time: a millisecond tick count that wraps at 2^32 (compare
// two of them by unsigned difference) and the local date and time. Tests use a clock
// they move by hand, so retry and pause timings are tested without sleeping.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint32_t TickCount() = 0;
    virtual TDateTime Now() = 0;
};

// Monotonic milliseconds truncated to 32 bits, and the system's local time.
class TSystemClock : public IClock {
public:
    uint32_t TickCount() override;
    TDateTime Now() override { return NowDateTime(); }
};

// Milliseconds in a day, for stepping TDateTime values.
inline constexpr double kMillisecondsPerDay = 86400000.0;

// Whole milliseconds between two date-times, however they are ordered.
int64_t MillisecondsBetween(TDateTime a, TDateTime b);
