#pragma once

#include "core/DateTime.h"
#include "tasks/LogList.h"
#include "tasks/TaskPorts.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One row of the log view. It holds copies of its entry taken when the row was made, so a
// row outlives an entry that the log's limit removes.
struct TLogRow {
    int Index = 0;  // the entry's place in the log when the row was made
    int Code = 0;   // also the index of the row's image
    TDateTime Time;
    std::string Text;
    bool Selected = false;
};

// The columns: the number (Index + 1), the date, the time of day, the text.
inline constexpr int kLogColumnCount = 4;
std::string LogColumnText(const TLogRow& row, int column);
// A click on the column's header sorts by this, ascending: the number by Index, the date and
// the time by Time (within one millisecond times are equal), the text byte by byte.
bool LogColumnLess(const TLogRow& a, const TLogRow& b, int column);
// The row as the copy command writes it: "number | date | time | text".
std::string LogRowCopyText(const TLogRow& row);

// The log view under the task list: the rows of the log shown (the focused task's), its
// sort, and its commands. Main thread only; the log's writers may run meanwhile.
class TTaskLogView {
public:
    TTaskLogView(ITaskDialogs& dialogs, IDesktop& desktop) : Dialogs_(dialogs), Desktop_(desktop) {}

    TLogList* ShownLog() const { return Log_; }
    // Shows log, or none: one row per entry in log order, sorted and scrolled. Nothing
    // happens when log is already the one shown.
    void ShowLog(TLogList* log);
    // Adds a row for each entry the shown log gained since the view last looked, then sorts
    // and scrolls. Writers add entries on their own threads; the manager calls this on the
    // main thread with each tick.
    void Refresh();

    const std::vector<TLogRow>& Rows() const { return Rows_; }
    void Select(int row, bool selected = true);
    // Leaving the view clears its selection.
    void ClearSelection();

    int SortColumn() const { return SortColumn_; }
    bool SortAscending() const { return SortAscending_; }
    // The sort that the stored column settings give.
    void SetSort(int column, bool ascending);
    // A click on a header: the sorted column changes direction, another one sorts ascending.
    void ClickColumn(int column);

    // actTaskLogClear: after the confirmation, empties the shown log and the view.
    bool CanClear() const { return !Rows_.empty(); }
    void ClearLog();
    // actTaskLogCopyToClipboard: the selected rows, top to bottom, one line each.
    bool CanCopy() const;
    void CopyToClipboard();
    // actTaskLogAutoscroll: whether the view follows new rows (bTaskLogAutoScroll).
    bool CanToggleAutoScroll() const { return SortAscending_; }
    void ToggleAutoScroll();

    // Run after every change of the rows; the GUI refreshes its mirror here.
    std::function<void()> OnChanged;
    // Asks the GUI to scroll the row into the middle of the view.
    std::function<void(int row)> OnScrollTo;

private:
    // Adds the rows, sorts, and follows them down when so configured.
    void AddRows(const std::vector<TLogListItem>& entries, int firstIndex);
    void Sort();
    void Changed();

    ITaskDialogs& Dialogs_;
    IDesktop& Desktop_;
    TLogList* Log_ = nullptr;
    uint64_t Seen_ = 0;  // entries of the shown log that have rows
    std::vector<TLogRow> Rows_;
    int SortColumn_ = 0;
    bool SortAscending_ = true;
};
