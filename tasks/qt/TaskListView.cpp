#include "tasks/qt/TaskListView.h"

#include "config/Options.h"
#include "tasks/ManagerTask.h"
#include "tasks/qt/TaskListDelegate.h"
#include "tasks/qt/TaskListModel.h"

#include <QDropEvent>
#include <QHeaderView>

TTaskListView::TTaskListView(QWidget* parent) : QTreeView(parent), Model_(new TTaskListModel(this))
{
    setModel(Model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    header()->setSectionsMovable(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    TOptions& o = Options();
    setItemDelegate(new TTaskListDelegate(
        *header(), {&o.bTreeManagerTaskStripped, &o.bTreeManagerTaskVertGrid, &o.bTreeManagerTaskHorzGrid}, this));

    connect(header(), &QHeaderView::sectionClicked, this, &TTaskListView::ClickColumn);
    connect(Model_, &TTaskListModel::RowsSynced, this, &TTaskListView::MirrorFromRows);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (Manager_ && Manager_->FirstSelected() && !Manager_->DoubleClickSelected())
            emit PropertiesRequested();
    });
}

void TTaskListView::Attach(TManagerTask* manager)
{
    Manager_ = manager;
    Model_->Attach(manager);
}

void TTaskListView::TakeSortFromHeader()
{
    Sort_.Column = header()->isSortIndicatorShown() ? header()->sortIndicatorSection() : -1;
    Sort_.Ascending = header()->sortIndicatorOrder() == Qt::AscendingOrder;
}

void TTaskListView::ClickColumn(int column)
{
    if (!Manager_)
        return;
    Sort_.Click(column);
    SortTaskList(*Manager_, Sort_);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(Sort_.Column, Sort_.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TTaskListView::MirrorFromRows()
{
    if (Mirroring_ || !Manager_)
        return;
    Mirroring_ = true;
    const TTaskRows& rows = Manager_->Rows();
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
    // The row list asks the view to bring a newly focused row into sight.
    if (rows.Focused() != LastFocused_ && current.isValid())
        scrollTo(current);
    LastFocused_ = rows.Focused();
    Mirroring_ = false;
}

void TTaskListView::MirrorToRows()
{
    if (Mirroring_ || !Manager_ || Model_->Syncing())
        return;
    Mirroring_ = true;
    TTaskRows& rows = Manager_->Rows();
    for (int i = 0; i < rows.Count(); ++i) {
        const int row = Model_->ModelRow(i);
        rows.Row(i).Selected = row >= 0 && selectionModel()->isRowSelected(row, {});
    }
    const QModelIndex current = selectionModel()->currentIndex();
    const int focused = current.isValid() ? Model_->RowListIndex(current.row()) : -1;
    LastFocused_ = focused;
    if (focused != rows.Focused())
        rows.Focus(focused);
    else
        rows.Changed();
    Mirroring_ = false;
    Manager_->ShowFocusedLog();
    emit FocusChanged();
}

void TTaskListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    MirrorToRows();
}

void TTaskListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    MirrorToRows();
}

void TTaskListView::dropEvent(QDropEvent* event)
{
    // The model moves the tasks itself; the view must not remove the dragged rows after.
    QTreeView::dropEvent(event);
    event->setDropAction(Qt::IgnoreAction);
}
