#include "core/Clock.h"

#include <chrono>
#include <cmath>

uint32_t TSystemClock::TickCount()
{
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t MillisecondsBetween(TDateTime a, TDateTime b)
{
    // Rounded first so that a value stored in a file and read back gives the same count.
    return int64_t(std::llround(std::fabs(a.Value - b.Value) * kMillisecondsPerDay * 1000.0) / 1000);
}
