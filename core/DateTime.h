#pragma once

#include <compare>

// A local date and time as days since 30 December 1899: the integral part is the date,
// the fraction the time of day. This is the form stored in every data file.
struct TDateTime {
    double Value = 0.0;

    friend bool operator==(TDateTime a, TDateTime b) = default;
    friend auto operator<=>(TDateTime a, TDateTime b) = default;
};

// The current local date and time.
TDateTime NowDateTime();

// A local date and time given by its parts.
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond = 0);

// The calendar parts of a date-time. As stored, a value before the epoch keeps its time of
// day in the fraction's magnitude (-1.25 is 29 December 1899, 6:00).
struct TDateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};
TDateTimeParts DecodeDateTime(TDateTime value);
