#pragma once

#include "config/ColumnCaptions.h"
#include "config/Options.h"
#include "config/qt/RowListView.h"
#include "records/HistoryManager.h"
#include "records/RecordColumns.h"
#include "records/RecordManager.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the list of a record page reads and changes of its manager's rows, whatever the
// records are: the rows with their selection and focus, the column texts and hints, and the
// sort of the header.
class IRecordRows : public IRowSelection {
public:
    // Tells the rows apart; the list never reads through it.
    virtual const void* Key(int row) const = 0;
    virtual bool Hidden(int row) const = 0;
    // Runs after every change of the rows; null stops it.
    virtual void SetOnChanged(std::function<void()> changed) = 0;

    virtual int ColumnCount() const = 0;
    virtual std::vector<std::string> Captions() const = 0;
    virtual std::string Text(int row, int column) const = 0;
    virtual std::string Hint(int row) const = 0;
    // The name whose extension picks the row's file-type icon; empty: none.
    virtual std::string IconFile(int) const { return {}; }

    virtual TListSort Sort() const = 0;
    virtual void SetSort(int column, bool ascending) = 0;
    virtual void ClickColumn(int column) = 0;
};

// The rows of one record manager with the columns of its page.
template <class TItem>
class TRecordRows : public IRecordRows {
public:
    using TText = std::string (*)(const TItem&, int);
    using THint = std::string (*)(const TItem&, const std::vector<std::string>&);
    using TIconFile = std::string (*)(const TItem&);

    TRecordRows(TRecordManager<TItem>& manager, TCaptionedList captions, int columns, TText text, THint hint,
                TIconFile iconFile = nullptr)
        : Manager_(manager), Captions_(captions), Columns_(columns), Text_(text), Hint_(hint), IconFile_(iconFile)
    {
    }
    ~TRecordRows() override { Rows().OnChanged = nullptr; }

    int Count() const override { return Rows().Count(); }
    const void* Key(int row) const override { return Rows().Record(row); }
    bool Hidden(int row) const override { return Rows().Row(row).Hidden; }
    bool Selected(int row) const override { return Rows().Row(row).Selected; }
    void SetSelected(int row, bool selected) override { Rows().Row(row).Selected = selected; }
    int Focused() const override { return Rows().Focused(); }
    void Focus(int row) override { Rows().Focus(row); }
    void Changed() override { Rows().Changed(); }
    void SetOnChanged(std::function<void()> changed) override { Rows().OnChanged = std::move(changed); }

    int ColumnCount() const override { return Columns_; }
    std::vector<std::string> Captions() const override { return ColumnCaptions(Captions_); }
    std::string Text(int row, int column) const override { return Text_(*Rows().Record(row), column); }
    std::string Hint(int row) const override { return Hint_(*Rows().Record(row), Captions()); }
    std::string IconFile(int row) const override { return IconFile_ ? IconFile_(*Rows().Record(row)) : std::string(); }

    TListSort Sort() const override { return Manager_.Sort(); }
    void SetSort(int column, bool ascending) override { Manager_.SetSort(column, ascending); }
    void ClickColumn(int column) override { Manager_.ClickColumn(column); }

private:
    TRowList<TItem>& Rows() const { return Manager_.Rows(); }

    TRecordManager<TItem>& Manager_;
    TCaptionedList Captions_;
    int Columns_;
    TText Text_;
    THint Hint_;
    TIconFile IconFile_;
};

// The history's rows show the file-type icon of each copy while the option asks for it.
inline std::unique_ptr<IRecordRows> HistoryRows(TRecordManager<THistoryItem>& manager)
{
    return std::make_unique<TRecordRows<THistoryItem>>(
        manager, clHistory, kHistoryColumnCount, HistoryColumnText, HistoryRowHint,
        [](const THistoryItem& item) { return Options().ShowDefIcons ? item.Name() : std::string(); });
}

inline std::unique_ptr<IRecordRows> RecycleBinRows(TRecordManager<TRecycleBinItem>& manager)
{
    return std::make_unique<TRecordRows<TRecycleBinItem>>(manager, clRecycleBin, kRecycleBinColumnCount,
                                                          RecycleBinColumnText, RecycleBinRowHint);
}

inline std::unique_ptr<IRecordRows> SchedulerRows(TRecordManager<TSchedulerItem>& manager)
{
    return std::make_unique<TRecordRows<TSchedulerItem>>(manager, clScheduler, kSchedulerColumnCount,
                                                         SchedulerColumnText, SchedulerRowHint);
}
