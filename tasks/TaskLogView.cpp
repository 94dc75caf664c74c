#include "tasks/TaskLogView.h"

#include "config/Options.h"
#include "core/Clock.h"
#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"

#include <algorithm>
#include <cmath>

namespace {

// Times compare to the millisecond: the stored fraction of a day carries rounding noise.
long long TimeKey(TDateTime time)
{
    return std::llround(time.Value * kMillisecondsPerDay);
}

} // namespace

std::string LogColumnText(const TLogRow& row, int column)
{
    switch (column) {
    case 0: return std::to_string(row.Index + 1);
    case 1: return FormatDate(row.Time);
    case 2: return FormatTime(row.Time);
    case 3: return row.Text;
    default: return {};
    }
}

bool LogColumnLess(const TLogRow& a, const TLogRow& b, int column)
{
    switch (column) {
    case 1:
    case 2: return TimeKey(a.Time) < TimeKey(b.Time);
    case 3: return a.Text < b.Text;
    default: return a.Index < b.Index;
    }
}

std::string LogRowCopyText(const TLogRow& row)
{
    std::string line;
    for (int column = 0; column < kLogColumnCount; ++column)
        line += (column ? " | " : "") + LogColumnText(row, column);
    return line;
}

void TTaskLogView::ShowLog(TLogList* log)
{
    if (log == Log_)
        return;
    Log_ = log;
    Rows_.clear();
    Seen_ = 0;
    if (!Log_) {
        Changed();
        return;
    }
    int firstIndex = 0;
    const std::vector<TLogListItem> entries = Log_->EntriesSince(Seen_, firstIndex);
    AddRows(entries, firstIndex);
}

void TTaskLogView::Refresh()
{
    if (!Log_)
        return;
    int firstIndex = 0;
    const std::vector<TLogListItem> entries = Log_->EntriesSince(Seen_, firstIndex);
    if (!entries.empty())
        AddRows(entries, firstIndex);
}

void TTaskLogView::AddRows(const std::vector<TLogListItem>& entries, int firstIndex)
{
    for (const TLogListItem& entry : entries)
        Rows_.push_back(TLogRow{firstIndex++, entry.Code, entry.Time, entry.Text});
    Sort();
    // In descending order new rows come in at the top, and the view stays where it is.
    if (Options().bTaskLogAutoScroll && SortAscending_ && !Rows_.empty() && OnScrollTo)
        OnScrollTo(int(Rows_.size()) - 1);
}

void TTaskLogView::Select(int row, bool selected)
{
    Rows_.at(std::size_t(row)).Selected = selected;
    Changed();
}

void TTaskLogView::ClearSelection()
{
    for (TLogRow& row : Rows_)
        row.Selected = false;
    Changed();
}

void TTaskLogView::SetSort(int column, bool ascending)
{
    SortColumn_ = column;
    SortAscending_ = ascending;
    Sort();
}

void TTaskLogView::ClickColumn(int column)
{
    SetSort(column, column == SortColumn_ ? !SortAscending_ : true);
}

void TTaskLogView::Sort()
{
    std::stable_sort(Rows_.begin(), Rows_.end(), [this](const TLogRow& a, const TLogRow& b) {
        return SortAscending_ ? LogColumnLess(a, b, SortColumn_) : LogColumnLess(b, a, SortColumn_);
    });
    Changed();
}

void TTaskLogView::ClearLog()
{
    const TModalResult answer = MessageBoxWithCheck(Dialogs_, Translate("sClearLog"), TMessageKind::Warning,
                                                    mbOK | mbCancel, Options().bdsClearLog);
    if (answer != TModalResult::OK)
        return;
    // A running task's worker goes on writing: its next entries come in as rows from 1.
    if (Log_)
        Log_->Clear();
    Rows_.clear();
    Changed();
}

bool TTaskLogView::CanCopy() const
{
    return std::any_of(Rows_.begin(), Rows_.end(), [](const TLogRow& row) { return row.Selected; });
}

void TTaskLogView::CopyToClipboard()
{
    std::string text;
    for (const TLogRow& row : Rows_)
        if (row.Selected)
            text += (text.empty() ? "" : "\r\n") + LogRowCopyText(row);
    Desktop_.SetClipboardText(text);
}

void TTaskLogView::ToggleAutoScroll()
{
    Options().bTaskLogAutoScroll = !Options().bTaskLogAutoScroll;
}

void TTaskLogView::Changed()
{
    if (OnChanged)
        OnChanged();
}
