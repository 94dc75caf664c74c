#include "hosts/qt/HostListView.h"

#include "config/Options.h"
#include "config/qt/ListDelegate.h"
#include "hosts/ManagerHost.h"
#include "hosts/qt/HostListModel.h"

#include <QHeaderView>

THostListView::THostListView(QWidget* parent) : QTreeView(parent), Model_(new THostListModel(this))
{
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
    TOptions& o = Options();
    setItemDelegate(new TListDelegate(
        *header(), {&o.bTreeManagerHostStripped, &o.bTreeManagerHostVertGrid, &o.bTreeManagerHostHorzGrid}, this));

    connect(header(), &QHeaderView::sectionClicked, this, &THostListView::ClickColumn);
    connect(Model_, &THostListModel::RowsSynced, this, &THostListView::MirrorFromRows);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (Manager_ && Manager_->HasSelectedHosts())
            emit PropertiesRequested();
    });
}

void THostListView::Attach(TManagerHost* manager)
{
    Manager_ = manager;
    Model_->Attach(manager);
    if (Manager_ && Sort_.Column >= 0)
        Manager_->SortRows(Sort_);
}

void THostListView::TakeSortFromHeader()
{
    Sort_.Column = header()->isSortIndicatorShown() ? header()->sortIndicatorSection() : -1;
    Sort_.Ascending = header()->sortIndicatorOrder() == Qt::AscendingOrder;
    if (Manager_ && Sort_.Column >= 0)
        Manager_->SortRows(Sort_);
}

void THostListView::ClickColumn(int column)
{
    if (!Manager_)
        return;
    Sort_.Click(column);
    Manager_->SortRows(Sort_);
    ShowSort();
}

void THostListView::ShowSort()
{
    header()->setSortIndicatorShown(Sort_.Column >= 0);
    if (Sort_.Column >= 0)
        header()->setSortIndicator(Sort_.Column, Sort_.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void THostListView::MirrorFromRows()
{
    if (Mirroring_ || !Manager_)
        return;
    Mirroring_ = true;
    const THostRows& rows = Manager_->Rows();
    QItemSelection selection;
    for (int row = 0; row < Model_->rowCount(); ++row) {
        const int source = Model_->RowListIndex(row);
        if (source >= 0 && rows.Row(source).Selected)
            selection.select(Model_->index(row, 0), Model_->index(row, Model_->columnCount() - 1));
    }
    if (selection != selectionModel()->selection())
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focused = rows.Focused() >= 0 ? Model_->ModelRow(rows.Focused()) : -1;
    const QModelIndex current = focused >= 0 ? Model_->index(focused, 0) : QModelIndex();
    if (current != selectionModel()->currentIndex())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    Mirroring_ = false;
}

void THostListView::MirrorToRows()
{
    if (Mirroring_ || !Manager_ || Model_->Syncing())
        return;
    Mirroring_ = true;
    THostRows& rows = Manager_->Rows();
    for (int i = 0; i < rows.Count(); ++i) {
        const int row = Model_->ModelRow(i);
        rows.Row(i).Selected = row >= 0 && selectionModel()->isRowSelected(row, {});
    }
    const QModelIndex current = selectionModel()->currentIndex();
    const int focused = current.isValid() ? Model_->RowListIndex(current.row()) : -1;
    if (focused != rows.Focused())
        rows.Focus(focused);
    else
        rows.Changed();
    Mirroring_ = false;
}

void THostListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    MirrorToRows();
}

void THostListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    MirrorToRows();
}
