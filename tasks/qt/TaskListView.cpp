#include "tasks/qt/TaskListView.h"

#include "config/Options.h"
#include "tasks/ManagerTask.h"
#include "tasks/qt/TaskListDelegate.h"
#include "tasks/qt/TaskListModel.h"

#include <QDropEvent>
#include <QHeaderView>

TTaskListView::TTaskListView(QWidget* parent)
    : TRowListView(new TTaskListModel, parent), Model_(static_cast<TTaskListModel*>(model()))
{
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    TOptions& o = Options();
    setItemDelegate(new TTaskListDelegate(
        *header(), {&o.bTreeManagerTaskStripped, &o.bTreeManagerTaskVertGrid, &o.bTreeManagerTaskHorzGrid}, this));

    connect(header(), &QHeaderView::sectionClicked, this, &TTaskListView::ClickColumn);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (Manager_ && Manager_->FirstSelected() && !Manager_->DoubleClickSelected())
            emit PropertiesRequested();
    });
}

void TTaskListView::Attach(TManagerTask* manager)
{
    Manager_ = manager;
    Selection_ = manager ? std::make_unique<TRowSelection<TTaskItem>>(manager->Rows()) : nullptr;
    MirrorRows(Selection_.get());
    Model_->Attach(manager);
}

void TTaskListView::TakeSortFromHeader()
{
    const TListSort sort = HeaderSort();
    Sort_ = {sort.Column, sort.Ascending};
}

void TTaskListView::ClickColumn(int column)
{
    if (!Manager_)
        return;
    Sort_.Click(column);
    SortTaskList(*Manager_, Sort_);
    ShowSort({Sort_.Column, Sort_.Ascending});
}

void TTaskListView::MirroredToRows()
{
    Manager_->ShowFocusedLog();
    emit FocusChanged();
}

void TTaskListView::dropEvent(QDropEvent* event)
{
    // The model moves the tasks itself; the view must not remove the dragged rows after.
    QTreeView::dropEvent(event);
    event->setDropAction(Qt::IgnoreAction);
}
