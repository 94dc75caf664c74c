#include "tasks/TaskColumns.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/TextCase.h"
#include "tasks/ManagerTask.h"
#include "tasks/PriorityNames.h"

namespace {

bool TextLess(const std::string& a, const std::string& b)
{
    return CompareText(a, b) < 0;
}

// The priority column has no text of its own; hints and the information list name it.
std::string DescribedText(const TTaskItem& task, int column)
{
    return column == kTaskPriorityColumn ? PriorityName(task.TrafficPriority) : TaskColumnText(task, column);
}

} // namespace

std::string TaskColumnText(const TTaskItem& task, int column)
{
    const TOptions& o = Options();
    switch (column) {
    case 0: return task.Name();
    case 1: return std::to_string(task.Index() + 1);
    case 3: return FormatSize(o.iSizeType, task.Size);
    case 4: return FormatSize(o.iSizeType, task.Loaded);
    case 5: return FormatPercent(task.Percent());
    case 6: return FormatDateTime(task.TimeCreated);
    case 7: return FormatDuration(int64_t(task.Elapsed()));
    case 8: return FormatDuration(int64_t(task.Left()));
    case 9: return FormatBitSpeed(task.Speed(), o.MeasureSpeedInBits, o.iSpeedType);
    case 10: return std::to_string(task.Retry);
    case 11: return task.Source;
    case 12: return task.Destination;
    default: return {};
    }
}

bool TaskColumnLess(const TTaskItem& a, const TTaskItem& b, int column)
{
    switch (column) {
    case 0: return TextLess(a.Name(), b.Name());
    case 2: return a.TrafficPriority < b.TrafficPriority;
    case 3: return a.Size < b.Size;
    case 4: return a.Loaded < b.Loaded;
    case 5: return a.Percent() < b.Percent();
    case 6: return a.TimeCreated < b.TimeCreated;
    case 7: return a.Elapsed() < b.Elapsed();
    case 8: return a.Left() < b.Left();
    case 9: return a.Speed() < b.Speed();
    case 10: return a.Retry < b.Retry;
    case 11: return TextLess(a.Source, b.Source);
    case 12: return TextLess(a.Destination, b.Destination);
    default: return a.Index() < b.Index();
    }
}

std::function<bool(const TTaskItem&, const TTaskItem&)> TaskColumnOrder(int column, bool ascending)
{
    if (ascending)
        return [column](const TTaskItem& a, const TTaskItem& b) { return TaskColumnLess(a, b, column); };
    return [column](const TTaskItem& a, const TTaskItem& b) { return TaskColumnLess(b, a, column); };
}

std::string TaskRowHint(const TTaskItem& task, const std::vector<std::string>& captions)
{
    if (!Options().bShowHintForListView)
        return {};
    std::vector<std::string> texts;
    for (int column = 0; column < kTaskColumnCount; ++column)
        texts.push_back(DescribedText(task, column));
    return ListRowHint(captions, texts);
}

void TTaskListSort::Click(int column)
{
    Ascending = column == Column ? !Ascending : true;
    Column = column;
}

void SortTaskList(TManagerTask& manager, const TTaskListSort& sort)
{
    manager.Rows().Sort(TaskColumnOrder(sort.Column, sort.Ascending));
    manager.SyncListOrderToView();
}

TTaskItem* TaskInfoSubject(const TRowList<TTaskItem>& rows)
{
    const int focused = rows.Focused();
    if (focused < 0 || focused >= rows.Count())
        return nullptr;
    const auto& row = rows.Row(focused);
    return row.Selected && !row.Hidden ? row.Record : nullptr;
}

std::vector<TTaskInfoRow> TaskInfoRows(const TTaskItem* task, const std::vector<std::string>& captions)
{
    std::vector<TTaskInfoRow> rows;
    for (int column = 0; column < kTaskInfoRowCount; ++column) {
        TTaskInfoRow row;
        if (std::size_t(column) < captions.size())
            row.Caption = captions[std::size_t(column)];
        if (task)
            row.Text = DescribedText(*task, column);
        rows.push_back(row);
    }
    return rows;
}
