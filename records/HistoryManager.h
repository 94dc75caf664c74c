#pragma once

#include "records/HistoryFilter.h"
#include "records/HistoryItem.h"
#include "records/TaskRecordManager.h"

#include <functional>
#include <string>

using THistoryRows = TRowList<THistoryItem>;

// The history of finished copies with its file "history.xml" (newest first) and the rows of
// the history page, narrowed by a date filter and a name filter. The task manager adds to
// it through ITaskHistory. Main thread only.
class THistoryManager : public TTaskRecordManager<THistoryItem>, public ITaskHistory {
public:
    // Loads fileName (none: an empty history that is never saved until a name is given).
    THistoryManager(TRecordEnvironment& environment, const std::string& fileName);

    THistory& History() { return Items(); }
    const THistory& History() const { return Items(); }
    const char* RootName() const override { return "TaskHistory"; }

    // A new record at the top, the oldest beyond the line limit dropped; the filters then
    // decide whether it shows.
    THistoryItem& AddToHistory(const TTaskRecord& record);
    void AddHistoryRecord(const TTaskRecord& record) override { AddToHistory(record); }

    // The filters. A THistoryDateFilter; the custom range is stored in date order.
    void SetDateFilter(int filter);
    int DateFilter() const { return DateFilter_; }
    void SetCustomRange(TDateTime from, TDateTime to);
    TDateTime CustomFrom() const { return From_; }
    TDateTime CustomTo() const { return To_; }
    // The custom node of the page tree: asks for the range, proposing the current one (now
    // for both while none was chosen). False on Cancel, which shows every record again.
    bool ChooseCustomRange();
    void SetTextFilter(const std::string& text);
    const std::string& TextFilter() const { return TextFilter_; }
    // Shows the rows that pass both filters and hides the others.
    void ApplyFilter();
    // Runs after every ApplyFilter: the detail pane and the status bar follow.
    std::function<void()> OnFilterApplied;

    // The name filter box: Enter applies its text and puts it at the top of the remembered
    // filters (ListFilter); Escape clears the filter.
    bool CanApplyTextFilter(const std::string& boxText) const { return !boxText.empty() || !TextFilter_.empty(); }
    void ApplyTextFilterFromBox(const std::string& boxText);
    bool CanClearTextFilter() const { return !TextFilter_.empty(); }
    void ClearTextFilter() { SetTextFilter({}); }

    // Commands of the history page. Reload, delete, open, properties and copy need a
    // selection (HasSelection); clear and select all a shown row (HasShown).
    void ReloadSelectedAfterConfirmation();   // actHistoryReloadTask
    void DeleteSelectedAfterConfirmation();   // actHistoryDelete
    void ClearAfterConfirmation();            // actHistoryClear
    void OpenSelectedFiles();                 // actHistoryOpen
    void OpenSelectedDestinations();          // actHistoryOpenDestination
    void OpenSelectedSources();               // actHistoryOpenSource
    void ShowSelectedProperties();            // actHistoryProperties
    void CopyDestinationsToClipboard();       // actHistoryCopyPathToClipboard
    // Open or properties, by the option DblClickComplete.
    void DoubleClickSelected();

protected:
    bool ColumnLess(const THistoryItem& a, const THistoryItem& b, int column) const override;
    void Loaded() override;
    void RowsRebuilt() override { ApplyFilter(); }

private:
    // Whether a record passes both filters at now.
    bool Passes(const THistoryItem& record, TDateTime now) const;

    int DateFilter_ = hdfAll;
    TDateTime From_;
    TDateTime To_;
    std::string TextFilter_;
};
