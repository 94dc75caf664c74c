#pragma once

#include "config/qt/MirrorTableModel.h"
#include "core/RowList.h"

#include <unordered_map>
#include <vector>

// The item model of a model-side row list: its shown rows in its order, holding pointers to
// the records, never their data. Structural changes of the rows arrive by themselves;
// changed values with RefreshValues, which compares a hash of each row's shown values.
template <class TItem>
class TRowListModel : public TMirrorTableModel {
public:
    using TMirrorTableModel::TMirrorTableModel;
    ~TRowListModel() override
    {
        if (Rows_)
            Rows_->OnChanged = nullptr;
    }

    // The record of a model row, null for none.
    TItem* Record(int row) const { return row >= 0 && row < int(Shown_.size()) ? Shown_[std::size_t(row)] : nullptr; }

    // Brings the mirror to the row list; runs by itself on every change of the rows.
    void SyncRows()
    {
        if (Syncing_)
            return;
        Syncing_ = true;
        std::vector<TItem*> next;
        std::vector<int> source;
        if (Rows_)
            for (int i = 0; i < Rows_->Count(); ++i)
                if (!Rows_->Row(i).Hidden) {
                    next.push_back(Rows_->Record(i));
                    source.push_back(i);
                }
        // The hashes travel with their rows; new rows get theirs now, so the next refresh
        // reports only values that moved.
        std::unordered_map<TItem*, std::size_t> hashes;
        for (std::size_t i = 0; i < Shown_.size() && i < Hashes_.size(); ++i)
            hashes.emplace(Shown_[i], Hashes_[i]);
        SyncKeys(Shown_, next);
        Source_ = source;
        Hashes_.clear();
        for (TItem* item : Shown_) {
            const auto found = hashes.find(item);
            Hashes_.push_back(found != hashes.end() ? found->second : ValuesHash(*item));
        }
        Syncing_ = false;
        if (RefreshOnSync_)
            RefreshValues();
        emit RowsSynced();
    }
    // One dataChanged over the rows whose shown values moved since the last call, none when
    // nothing moved.
    void RefreshValues()
    {
        int first = -1;
        int last = -1;
        for (std::size_t row = 0; row < Shown_.size(); ++row) {
            const std::size_t hash = ValuesHash(*Shown_[row]);
            if (hash == Hashes_[row])
                continue;
            Hashes_[row] = hash;
            if (first < 0)
                first = int(row);
            last = int(row);
        }
        if (first >= 0)
            emit dataChanged(index(first, 0), index(last, columnCount() - 1));
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(Shown_.size()); }

protected:
    // Mirrors these rows from now on; null lets go of them.
    void AttachRows(TRowList<TItem>* rows)
    {
        if (Rows_)
            Rows_->OnChanged = nullptr;
        Rows_ = rows;
        if (Rows_)
            Rows_->OnChanged = [this] { SyncRows(); };
        SyncRows();
    }
    // A hash of what a row shows.
    virtual std::size_t ValuesHash(const TItem& item) const = 0;

    // Records whose values change with the rows' signal (edited, counting) report them then.
    bool RefreshOnSync_ = false;
    std::vector<TItem*> Shown_;

private:
    TRowList<TItem>* Rows_ = nullptr;
    std::vector<std::size_t> Hashes_;
};
