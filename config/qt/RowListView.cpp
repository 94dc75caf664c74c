#include "config/qt/RowListView.h"

#include "config/qt/MirrorTableModel.h"

#include <QHeaderView>

TRowListView::TRowListView(TMirrorTableModel* model, QWidget* parent) : QTreeView(parent), Model_(model)
{
    Model_->setParent(this);
    setModel(Model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setSectionsMovable(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    connect(Model_, &TMirrorTableModel::RowsSynced, this, &TRowListView::MirrorFromRows);
}

TListSort TRowListView::HeaderSort() const
{
    const bool sorted = header()->isSortIndicatorShown() && header()->sortIndicatorSection() >= 0;
    return {sorted ? header()->sortIndicatorSection() : -1, header()->sortIndicatorOrder() == Qt::AscendingOrder};
}

void TRowListView::ShowSort(const TListSort& sort)
{
    header()->setSortIndicatorShown(sort.Column >= 0);
    header()->setSortIndicator(sort.Column, sort.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TRowListView::MirrorFromRows()
{
    if (Mirroring_ || !Rows_)
        return;
    Mirroring_ = true;
    QItemSelection selection;
    for (int row = 0; row < Model_->rowCount(); ++row) {
        const int source = Model_->RowListIndex(row);
        if (source >= 0 && Rows_->Selected(source))
            selection.select(Model_->index(row, 0), Model_->index(row, Model_->columnCount() - 1));
    }
    if (selection != selectionModel()->selection())
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focused = Rows_->Focused() >= 0 ? Model_->ModelRow(Rows_->Focused()) : -1;
    const QModelIndex current = focused >= 0 ? Model_->index(focused, 0) : QModelIndex();
    if (current != selectionModel()->currentIndex())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    if (Rows_->Focused() != LastFocused_ && current.isValid())
        scrollTo(current);
    LastFocused_ = Rows_->Focused();
    Mirroring_ = false;
    MirroredFromRows();
}

void TRowListView::MirrorToRows()
{
    if (Mirroring_ || !Rows_ || Model_->Syncing())
        return;
    Mirroring_ = true;
    for (int i = 0; i < Rows_->Count(); ++i) {
        const int row = Model_->ModelRow(i);
        if (row >= 0 || !KeepHidden_)
            Rows_->SetSelected(i, row >= 0 && selectionModel()->isRowSelected(row, {}));
    }
    const QModelIndex current = selectionModel()->currentIndex();
    const int focused = current.isValid() ? Model_->RowListIndex(current.row()) : -1;
    LastFocused_ = focused;
    if (focused != Rows_->Focused())
        Rows_->Focus(focused);
    else
        Rows_->Changed();
    Mirroring_ = false;
    MirroredToRows();
}

void TRowListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    MirrorToRows();
}

void TRowListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    MirrorToRows();
}
