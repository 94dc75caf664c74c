#pragma once

#include "core/RowList.h"
#include "tasks/TaskItem.h"

#include <functional>
#include <string>
#include <vector>

class TManagerTask;

// The columns of the task list: name, number, priority (an image, no text), size, received,
// percent, created, elapsed, left, speed, attempt, source, destination. Sizes and speeds
// follow the unit options, the date the user's regional settings.
inline constexpr int kTaskColumnCount = 13;
inline constexpr int kTaskPriorityColumn = 2;
inline constexpr int kTaskPercentColumn = 5;

// A cell's text; empty for a column out of range.
std::string TaskColumnText(const TTaskItem& task, int column);
// The order of a click on a column's header, ascending: numbers as numbers, sizes as 64-bit
// numbers, names and paths ignoring case, the creation time as shown. Column -1 (no sort
// column) and any other column keep the list order.
bool TaskColumnLess(const TTaskItem& a, const TTaskItem& b, int column);
std::function<bool(const TTaskItem&, const TTaskItem&)> TaskColumnOrder(int column, bool ascending);
// The row's hint: one "caption: text" line per column, the priority column giving the
// priority's name; empty while bShowHintForListView is off.
std::string TaskRowHint(const TTaskItem& task, const std::vector<std::string>& captions);

// The sort of the task list. A click on the sorted column turns the direction, a click on
// another one sorts by it ascending; the list never goes back to no sort column.
struct TTaskListSort {
    int Column = -1;
    bool Ascending = true;
    void Click(int column);
};
// Sorts the rows and makes the list order follow them, so the tick starts tasks in the
// order the user sees.
void SortTaskList(TManagerTask& manager, const TTaskListSort& sort);

// The information list under the task list: one row per task column, its caption and the
// text of that column for the task shown.
inline constexpr int kTaskInfoRowCount = kTaskColumnCount;
struct TTaskInfoRow {
    std::string Caption;
    std::string Text;
};
// The task the information list shows: the focused row's, while that row is selected and
// shown; null otherwise.
TTaskItem* TaskInfoSubject(const TRowList<TTaskItem>& rows);
// The rows, texts empty without a task; the priority row names the priority.
std::vector<TTaskInfoRow> TaskInfoRows(const TTaskItem* task, const std::vector<std::string>& captions);
