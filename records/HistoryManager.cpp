#include "records/HistoryManager.h"

#include "config/Options.h"
#include "core/Links.h"
#include "records/RecentTexts.h"
#include "records/RecordColumns.h"
#include "records/RecordProperties.h"

#include <memory>

THistoryManager::THistoryManager(TRecordEnvironment& environment, const std::string& fileName)
    : TTaskRecordManager(environment), From_(environment.Clock.Now()), To_(From_)
{
    // Links may carry their passwords.
    File().SetFileMode(0600);
    LoadFromFile(fileName);
}

void THistoryManager::Loaded()
{
    const TOptions& o = Options();
    // The newest records are the ones a user looks for: a lowered limit drops the oldest,
    // as adding does.
    if (o.bHistoryLineMax)
        DropOldest(o.HistoryLineMax);
    if (o.bHistoryTimeMax) {
        const TDateTime now = Env_.Clock.Now();
        for (int i = History().Count() - 1; i >= 0; --i)
            if (WholeDaysBetween(now, History()[i].TimeCompleted) > o.HistoryTimeMax)
                DeleteRecord(&History()[i]);
    }
}

THistoryItem& THistoryManager::AddToHistory(const TTaskRecord& record)
{
    THistoryItem& item = InsertNewest(std::make_unique<THistoryItem>(record));
    if (Options().bHistoryLineMax)
        DropOldest(Options().HistoryLineMax);
    // Only the new row is filtered: each copy that ends adds one, and a history of
    // thousands is not walked for each of them.
    Rows_.Row(Rows_.IndexOf(&item)).Hidden = !Passes(item, Env_.Clock.Now());
    Rows_.Changed();
    if (OnFilterApplied)
        OnFilterApplied();
    return item;
}

void THistoryManager::SetDateFilter(int filter)
{
    DateFilter_ = filter;
    ApplyFilter();
}

void THistoryManager::SetCustomRange(TDateTime from, TDateTime to)
{
    if (to < from)
        std::swap(from, to);
    From_ = from;
    To_ = to;
    ApplyFilter();
}

bool THistoryManager::ChooseCustomRange()
{
    SetDateFilter(hdfCustom);
    TDateTime from = From_;
    TDateTime to = To_;
    if (from.Value == 0)
        from = to = Env_.Clock.Now();
    if (!Env_.RecordDialogs.ShowCustomRangeDialog(from, to)) {
        SetDateFilter(hdfAll);
        return false;
    }
    SetCustomRange(from, to);
    return true;
}

void THistoryManager::SetTextFilter(const std::string& text)
{
    TextFilter_ = text;
    ApplyFilter();
}

void THistoryManager::ApplyTextFilterFromBox(const std::string& boxText)
{
    SetTextFilter(boxText);
    if (!boxText.empty())
        RememberText(Options().ListFilter, boxText, Options().ListFilter_MAxCount, true);
}

void THistoryManager::ApplyFilter()
{
    const TDateTime now = Env_.Clock.Now();
    for (int row = 0; row < Rows_.Count(); ++row)
        Rows_.Row(row).Hidden = !Passes(*Rows_.Record(row), now);
    Rows_.Changed();
    if (OnFilterApplied)
        OnFilterApplied();
}

bool THistoryManager::Passes(const THistoryItem& record, TDateTime now) const
{
    return PassesDateFilter(DateFilter_, record.TimeCompleted, now, From_, To_) &&
           PassesNameFilter(record.Name(), TextFilter_);
}

void THistoryManager::ReloadSelectedAfterConfirmation()
{
    RestoreSelectedAfterConfirmation("sAllSelectedHistoryReloaded", Options().bdsAllSelectedHistoryReloaded);
}

void THistoryManager::DeleteSelectedAfterConfirmation()
{
    TRecordManager::DeleteSelectedAfterConfirmation("sAllSelectedHistoryDelete", Options().bdsAllSelectedHistoryDelete);
}

void THistoryManager::ClearAfterConfirmation()
{
    TRecordManager::ClearAfterConfirmation(HasShown(), "sHistoryClear", Options().bdsAllHistoryDelete);
}

void THistoryManager::OpenSelectedFiles()
{
    for (const THistoryItem* item : Rows_.SelectedRecords())
        Env_.Desktop.ShellOpen(item->FileName());
}

void THistoryManager::OpenSelectedDestinations()
{
    for (const THistoryItem* item : Rows_.SelectedRecords())
        Env_.Desktop.OpenInBackground(IncludeTrailingDelimiter(item->Destination));
}

void THistoryManager::OpenSelectedSources()
{
    for (const THistoryItem* item : Rows_.SelectedRecords())
        Env_.Desktop.OpenInBackground(IncludeTrailingDelimiter(ExtractDir(item->Source)));
}

void THistoryManager::ShowSelectedProperties()
{
    for (const THistoryItem* item : Rows_.SelectedRecords())
        Env_.RecordDialogs.ShowRecordProperties(HistoryPropertiesForm(*item));
}

void THistoryManager::CopyDestinationsToClipboard()
{
    if (HasSelection())
        Env_.Desktop.SetClipboardText(SelectedLines(&THistoryItem::Destination));
}

void THistoryManager::DoubleClickSelected()
{
    if (Options().DblClickComplete == 1)
        OpenSelectedFiles();
    else
        ShowSelectedProperties();
}

bool THistoryManager::ColumnLess(const THistoryItem& a, const THistoryItem& b, int column) const
{
    return HistoryColumnLess(a, b, column);
}
