#include "records/HistoryFilter.h"

#include "core/Clock.h"
#include "core/Links.h"
#include "core/TextCase.h"

#include <cmath>

namespace {

double CalendarDay(TDateTime value)
{
    return std::trunc(value.Value);
}

} // namespace

bool PassesDateFilter(int filter, TDateTime completed, TDateTime now, TDateTime from, TDateTime to)
{
    const double span = std::fabs(now.Value - completed.Value);
    switch (filter) {
    case hdfToday: return span <= 1.0;
    case hdfYesterday: return span > 1.0 && span < 2.0;
    case hdfWeek: return span / 7.0 <= 1.0;
    case hdfMonth: return span / 30.4375 <= 1.0;
    case hdfCustom:
        return CalendarDay(from) <= CalendarDay(completed) && CalendarDay(completed) <= CalendarDay(to);
    default: return true;
    }
}

bool PassesNameFilter(const std::string& name, const std::string& filter)
{
    if (filter.empty())
        return true;
    if (filter.find_first_of("*?") != std::string::npos)
        return !IsWellFormedMask(filter) || MatchesFileMask(name, filter);
    return FoldCase(name).find(FoldCase(filter)) != std::string::npos;
}

int64_t WholeDaysBetween(TDateTime a, TDateTime b)
{
    // Half a millisecond more, so that a span of whole days held a hair short by the
    // floating point still counts as those days.
    return int64_t(std::trunc(std::fabs(a.Value - b.Value) + 0.5 / kMillisecondsPerDay));
}
