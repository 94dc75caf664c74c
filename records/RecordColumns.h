#pragma once

#include "records/HistoryItem.h"
#include "records/RecycleBinItem.h"
#include "records/SchedulerItem.h"

#include <string>
#include <vector>

// The columns of the three record pages: a cell's text, the order of a click on a column's
// header (ascending; names and paths ignore case, sizes compare as 64-bit numbers), and a
// row's hint of one "caption: text" line per column (none while the option to hint list
// rows is off). Sizes and speeds follow the unit options; dates and times the user's
// regional settings.

// Name, size, created, completed, time spent, speed, source, destination.
inline constexpr int kHistoryColumnCount = 8;
std::string HistoryColumnText(const THistoryItem& item, int column);
bool HistoryColumnLess(const THistoryItem& a, const THistoryItem& b, int column);
std::string HistoryRowHint(const THistoryItem& item, const std::vector<std::string>& captions);

// Name, size, created, deleted, source, destination.
inline constexpr int kRecycleBinColumnCount = 6;
std::string RecycleBinColumnText(const TRecycleBinItem& item, int column);
bool RecycleBinColumnLess(const TRecycleBinItem& a, const TRecycleBinItem& b, int column);
std::string RecycleBinRowHint(const TRecycleBinItem& item, const std::vector<std::string>& captions);

// Name, description, next run, last run, status. The description column sorts by the
// time of creation and the status column by the status number.
inline constexpr int kSchedulerColumnCount = 5;
std::string SchedulerColumnText(const TSchedulerItem& item, int column);
bool SchedulerColumnLess(const TSchedulerItem& a, const TSchedulerItem& b, int column);
std::string SchedulerRowHint(const TSchedulerItem& item, const std::vector<std::string>& captions);

// The history's time spent: below one second "<" and the text of one second.
std::string TimeDownloadedText(uint32_t milliseconds);
