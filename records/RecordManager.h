#pragma once

#include "core/ListSort.h"
#include "core/MessageCatalogue.h"
#include "core/RowList.h"
#include "core/XmlRecords.h"
#include "records/RecordPorts.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// A stored list of records with its file and the rows of its page: what the history, the
// recycle bin and the scheduler share. Rows refer to the records and own none; every
// record has exactly one row. Main thread only.
template <class TItem>
class TRecordManager : public TCollectionManager<TOwnedCollection<TItem>> {
    using TBase = TCollectionManager<TOwnedCollection<TItem>>;

public:
    explicit TRecordManager(TRecordEnvironment& environment) : TBase(environment.Boxes), Env_(environment) {}

    TRecordEnvironment& Environment() const { return Env_; }
    TRowList<TItem>& Rows() { return Rows_; }
    const TRowList<TItem>& Rows() const { return Rows_; }

    // Empties the list, reads the file (when it exists), trims it, and gives every record
    // a row in list order.
    void LoadFromFile(const std::string& name) override
    {
        TBase::LoadFromFile(name);
        Loaded();
        std::vector<TItem*> records;
        for (int i = 0; i < this->Items().Count(); ++i)
            records.push_back(&this->Items()[i]);
        Rows_.Assign(records);
        RowsRebuilt();
    }

    // For the enabled states of the page's commands and for the status bar: selected means
    // selected and shown.
    bool HasRecords() const { return this->Items().Count() > 0; }
    bool HasShown() const { return Rows_.CountShown() > 0; }
    bool HasSelection() const { return Rows_.CountSelected() > 0; }
    int CountShown() const { return Rows_.CountShown(); }
    int CountSelected() const { return Rows_.CountSelected(); }

    void SelectAll() { Rows_.SelectAllShown(); }
    // Frees the records of the selected shown rows with their rows.
    void DeleteSelected()
    {
        for (TItem* record : Rows_.SelectedRecords())
            DeleteRecord(record);
    }
    // Empties the list and the page.
    void Clear()
    {
        ClearItems();
        Rows_.Changed();
    }
    // The rows in a column's order; column -1: in the list's own order (newest first).
    void SortRows(int column, bool descending)
    {
        if (column < 0) {
            std::unordered_map<const TItem*, int> index;
            for (int i = 0; i < this->Items().Count(); ++i)
                index.emplace(&this->Items()[i], i);
            Rows_.Sort([&index](const TItem& a, const TItem& b) { return index.at(&a) < index.at(&b); });
            return;
        }
        Rows_.Sort([this, column, descending](const TItem& a, const TItem& b) {
            return descending ? ColumnLess(b, a, column) : ColumnLess(a, b, column);
        });
    }
    // The record of the focused row while that row is selected and shown: the detail pane's.
    const TItem* InfoSubject() const
    {
        const int focused = Rows_.Focused();
        if (focused < 0 || focused >= Rows_.Count())
            return nullptr;
        const auto& row = Rows_.Row(focused);
        return row.Selected && !row.Hidden ? row.Record : nullptr;
    }
    // The order the page's header shows, and a click on a column header.
    const TListSort& Sort() const { return Sort_; }
    void SetSort(int column, bool ascending)
    {
        Sort_.Set(column, ascending);
        SortRows(Sort_.Column, !Sort_.Ascending);
    }
    void ClickColumn(int column)
    {
        Sort_.Click(column);
        SortRows(Sort_.Column, !Sort_.Ascending);
    }

protected:
    // The order of a column, ascending.
    virtual bool ColumnLess(const TItem& a, const TItem& b, int column) const = 0;
    // A record is about to be freed: nothing may keep pointing at it.
    virtual void Forget(const TItem*) {}
    // Runs once the file is read, before the rows are made.
    virtual void Loaded() {}
    // Runs once every record has its row again.
    virtual void RowsRebuilt() {}

    void ClearItems() override
    {
        Rows_.Clear();
        for (int i = 0; i < this->Items().Count(); ++i)
            Forget(&this->Items()[i]);
        TBase::ClearItems();
    }

    // A new record at the top of the list and of the page.
    TItem& InsertNewest(std::unique_ptr<TItem> item)
    {
        TItem& record = this->Items().Insert(0, std::move(item));
        Rows_.Insert(0, &record);
        return record;
    }
    // Frees the last records (the oldest ones) while there are more than limit. A limit
    // below one record is taken as one: a mistyped option must not wipe the list.
    void DropOldest(int limit)
    {
        while (this->Items().Count() > std::max(limit, 1))
            DeleteRecordAt(this->Items().Count() - 1);
    }
    void DeleteRecord(TItem* record) { DeleteRecordAt(this->Items().IndexOf(record)); }
    // By position: a full history drops its oldest record for every new one, and finding
    // that record's position again after each insertion would cost the whole list.
    void DeleteRecordAt(int index)
    {
        TItem* record = &this->Items()[index];
        Forget(record);
        if (const int row = Rows_.LastIndexOf(record); row >= 0)
            Rows_.Delete(row);
        this->Items().Delete(index);
    }
    // The page's question before a command, skipped while its "don't ask again" flag is set.
    bool Confirm(const char* messageId, bool& dontAskFlag)
    {
        return MessageBoxWithCheck(Env_.Dialogs, Translate(messageId), TMessageKind::Warning, mbOK | mbCancel,
                                   dontAskFlag) == TModalResult::OK;
    }
    // The page's delete and clear commands: each asks only when it has something to do.
    void DeleteSelectedAfterConfirmation(const char* messageId, bool& dontAskFlag)
    {
        if (HasSelection() && Confirm(messageId, dontAskFlag))
            DeleteSelected();
    }
    void ClearAfterConfirmation(bool anything, const char* messageId, bool& dontAskFlag)
    {
        if (anything && Confirm(messageId, dontAskFlag))
            Clear();
    }

    TRecordEnvironment& Env_;
    TRowList<TItem> Rows_;

private:
    TListSort Sort_;
};
