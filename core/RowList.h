#pragma once

#include <algorithm>
#include <functional>
#include <vector>

// The state of a list view without the view: which records have rows, in which order,
// which rows are selected, which one has the focus and which ones a filter hides. It
// refers to records and owns none. Commands work on it and the GUI's item model mirrors
// it, so "move selected to top" or "find next" are tested without a display.
template <class TRecord>
class TRowList {
public:
    struct TRow {
        TRecord* Record = nullptr;
        bool Selected = false;
        bool Hidden = false;
    };

    int Count() const { return int(Rows_.size()); }
    TRow& Row(int index) { return Rows_.at(std::size_t(index)); }
    const TRow& Row(int index) const { return Rows_.at(std::size_t(index)); }
    TRecord* Record(int index) const { return Rows_.at(std::size_t(index)).Record; }

    void Add(TRecord* record)
    {
        Rows_.push_back(TRow{record});
        Changed();
    }
    // A row at index (0: the top); the focus stays on its row.
    void Insert(int index, TRecord* record)
    {
        Rows_.insert(Rows_.begin() + index, TRow{record});
        if (Focused_ >= index)
            ++Focused_;
        Changed();
    }
    void Delete(int index)
    {
        if (Focused_ == index)
            Focused_ = -1;
        else if (Focused_ > index)
            --Focused_;
        Rows_.erase(Rows_.begin() + index);
        Changed();
    }
    // One row per record, in the order given, nothing selected or focused.
    void Assign(const std::vector<TRecord*>& records)
    {
        Rows_.clear();
        for (TRecord* record : records)
            Rows_.push_back(TRow{record});
        Focused_ = -1;
        Changed();
    }
    void Clear()
    {
        Rows_.clear();
        Focused_ = -1;
        Changed();
    }
    int IndexOf(const TRecord* record) const
    {
        for (int i = 0; i < Count(); ++i)
            if (Rows_[std::size_t(i)].Record == record)
                return i;
        return -1;
    }
    // Searched from the bottom, where the oldest records usually are.
    int LastIndexOf(const TRecord* record) const
    {
        for (int i = Count() - 1; i >= 0; --i)
            if (Rows_[std::size_t(i)].Record == record)
                return i;
        return -1;
    }

    // The records of every row, top to bottom, shown or not.
    std::vector<TRecord*> Records() const
    {
        std::vector<TRecord*> records;
        records.reserve(Rows_.size());
        for (const TRow& row : Rows_)
            records.push_back(row.Record);
        return records;
    }
    // Selected rows that the filter does not hide, top to bottom.
    std::vector<TRecord*> SelectedRecords() const
    {
        std::vector<TRecord*> records;
        for (const TRow& row : Rows_)
            if (row.Selected && !row.Hidden)
                records.push_back(row.Record);
        return records;
    }
    int CountSelected() const
    {
        return int(std::count_if(Rows_.begin(), Rows_.end(), [](const TRow& r) { return r.Selected && !r.Hidden; }));
    }
    int CountShown() const
    {
        return int(std::count_if(Rows_.begin(), Rows_.end(), [](const TRow& r) { return !r.Hidden; }));
    }
    void ClearSelection()
    {
        for (TRow& row : Rows_)
            row.Selected = false;
        Changed();
    }
    void SelectAllShown()
    {
        for (TRow& row : Rows_)
            row.Selected = !row.Hidden;
        Changed();
    }
    void Select(int index, bool selected = true)
    {
        Row(index).Selected = selected;
        Changed();
    }

    int Focused() const { return Focused_; }
    // Focuses a row and asks the view to scroll it into sight.
    void Focus(int index)
    {
        Focused_ = index;
        Changed();
    }

    // Reorders the rows; the focus follows its record.
    void Sort(const std::function<bool(const TRecord&, const TRecord&)>& less)
    {
        TRecord* focused = Focused_ >= 0 ? Record(Focused_) : nullptr;
        std::stable_sort(Rows_.begin(), Rows_.end(),
                         [&](const TRow& a, const TRow& b) { return less(*a.Record, *b.Record); });
        Focused_ = focused ? IndexOf(focused) : -1;
        Changed();
    }

    // Runs after every change; the GUI refreshes its mirror here. Code that changes rows
    // through Row() calls Changed itself when it is done.
    std::function<void()> OnChanged;
    void Changed()
    {
        if (OnChanged)
            OnChanged();
    }

private:
    std::vector<TRow> Rows_;
    int Focused_ = -1;
};
