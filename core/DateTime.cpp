#include "core/DateTime.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

// Days from 1899-12-30 to the given civil date (proleptic Gregorian).
long long DaysSinceEpoch(int year, int month, int day)
{
    using namespace std::chrono;
    const sys_days date = year_month_day{std::chrono::year{year}, std::chrono::month{unsigned(month)}, std::chrono::day{unsigned(day)}};
    const sys_days epoch = year_month_day{std::chrono::year{1899}, December, std::chrono::day{30}};
    return (date - epoch).count();
}

} // namespace

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    const double time = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
    return TDateTime{double(DaysSinceEpoch(year, month, day)) + time / kMillisecondsPerDay};
}

TDateTimeParts DecodeDateTime(TDateTime value)
{
    using namespace std::chrono;
    TDateTimeParts parts;
    if (!std::isfinite(value.Value) || std::fabs(value.Value) > 1e7)
        return parts;  // no calendar date: the epoch
    const double days = std::trunc(value.Value);
    // Rounded to the millisecond, but never up into the next day.
    const long long ms = std::min(std::llround(std::fabs(value.Value - days) * kMillisecondsPerDay),
                                  static_cast<long long>(kMillisecondsPerDay) - 1);
    const sys_days epoch = year_month_day{std::chrono::year{1899}, December, std::chrono::day{30}};
    const year_month_day date{epoch + std::chrono::days{static_cast<long long>(days)}};
    parts.Year = int(date.year());
    parts.Month = int(unsigned(date.month()));
    parts.Day = int(unsigned(date.day()));
    parts.Hour = int(ms / 3600000);
    parts.Minute = int(ms / 60000 % 60);
    parts.Second = int(ms / 1000 % 60);
    parts.Millisecond = int(ms % 1000);
    return parts;
}

TDateTime NowDateTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    // The local time of a second is worked out once per thread: every log line asks, a small
    // file writes a score of them, and the library does it under one lock for all threads.
    thread_local std::time_t cachedSeconds = -1;
    thread_local std::tm local{};
    if (seconds != cachedSeconds) {
        localtime_r(&seconds, &local);
        cachedSeconds = seconds;
    }
    const int ms = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                          local.tm_sec, ms);
}
