#pragma once

#include "core/DateTime.h"

#include <cstdint>
#include <string>

// The date filters of the history page; any other value shows every record.
enum THistoryDateFilter : int {
    hdfAll = -1,
    hdfToday = 0,      // the last 24 hours
    hdfYesterday = 1,  // the 24 hours before them
    hdfWeek = 2,
    hdfMonth = 3,      // 30.4375 days
    hdfCustom = 4,     // from one calendar day to another, both included
};

// Whether a record completed at completed passes the date filter at now. Ages count by
// distance, so a completion time in the future is as old as it is far ahead.
bool PassesDateFilter(int filter, TDateTime completed, TDateTime now, TDateTime from, TDateTime to);

// Whether a record's name passes the name filter: an empty filter passes everything; one
// with "*" or "?" is a file mask (a mask that cannot be parsed passes everything); any other
// must occur in the name. Case is ignored.
bool PassesNameFilter(const std::string& name, const std::string& filter);

// Whole days between two date-times, however they are ordered.
int64_t WholeDaysBetween(TDateTime a, TDateTime b);
