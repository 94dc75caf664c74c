#pragma once

#include "core/ListSort.h"
#include "core/RowList.h"

#include <QTreeView>

class TMirrorTableModel;

// What a list view changes of the row list it mirrors: the selection and the focus.
class IRowSelection {
public:
    virtual ~IRowSelection() = default;

    virtual int Count() const = 0;
    virtual bool Selected(int row) const = 0;
    // Sets a row's selection without telling anyone; Changed tells once after.
    virtual void SetSelected(int row, bool selected) = 0;
    virtual int Focused() const = 0;
    virtual void Focus(int row) = 0;
    virtual void Changed() = 0;
};

// The selection of a model-side row list.
template <class TItem>
class TRowSelection : public IRowSelection {
public:
    explicit TRowSelection(TRowList<TItem>& rows) : Rows_(rows) {}

    int Count() const override { return Rows_.Count(); }
    bool Selected(int row) const override { return Rows_.Row(row).Selected; }
    void SetSelected(int row, bool selected) override { Rows_.Row(row).Selected = selected; }
    int Focused() const override { return Rows_.Focused(); }
    void Focus(int row) override { Rows_.Focus(row); }
    void Changed() override { Rows_.Changed(); }

private:
    TRowList<TItem>& Rows_;
};

// A list of rows mirrored from a model-side row list (the downloads, the hosts, the
// records): rows selected whole, several at once, movable and clickable column headers.
// Its selection and focus mirror the row list's both ways; a row newly focused by the row
// list (a found one) is brought into sight.
class TRowListView : public QTreeView {
    Q_OBJECT
public:
    // Takes the model over.
    TRowListView(TMirrorTableModel* model, QWidget* parent);

protected:
    // The sort the header shows (ApplyColumns sets it), column -1 for none; and the header
    // showing a sort.
    TListSort HeaderSort() const;
    void ShowSort(const TListSort& sort);

    // The row list mirrored from now on (not owned); null: none. Set it before the model
    // takes the rows.
    void MirrorRows(IRowSelection* rows) { Rows_ = rows; }
    // A row the filter hides keeps its selection when the view's changes: it is not acted on
    // while hidden. Otherwise it is deselected.
    void KeepHiddenSelection() { KeepHidden_ = true; }
    // After each mirroring, one way and the other.
    virtual void MirroredFromRows() {}
    virtual void MirroredToRows() {}

    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // Row list -> view.
    void MirrorFromRows();
    // View -> row list.
    void MirrorToRows();

    TMirrorTableModel* Model_;
    IRowSelection* Rows_ = nullptr;
    bool KeepHidden_ = false;
    bool Mirroring_ = false;
    int LastFocused_ = -1;
};
