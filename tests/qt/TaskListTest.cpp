#include "config/Options.h"
#include "support/TaskFakes.h"
#include "tasks/qt/TaskListModel.h"
#include "tasks/qt/TaskListView.h"
#include "tasks/qt/TaskLogListView.h"
#include "tasks/qt/TaskPage.h"

#include <QHeaderView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TaskListTest : public ::testing::Test {
protected:
    TTaskBed Bed;
    TManagerTask& Manager = Bed.OpenManager();
    TTaskListView View;

    TTaskItem& Add(const std::string& name, int64_t size)
    {
        TTaskItem& task = Bed.AddTask("/src/" + name, "/dst", stateStopped);
        task.Size = size;
        return task;
    }
    std::string ListOrder() const
    {
        std::string names;
        for (int i = 0; i < Manager.Tasks().Count(); ++i)
            names += Manager.Tasks()[i].Name();
        return names;
    }
    std::string ShownOrder() const
    {
        std::string names;
        for (int row = 0; row < View.Model().rowCount(); ++row)
            names += View.Model().index(row, 0).data().toString().toStdString();
        return names;
    }
    void ClickHeader(int column)
    {
        QHeaderView& header = *View.header();
        const QPoint at(header.sectionViewportPosition(column) + header.sectionSize(column) / 2, header.height() / 2);
        QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
    }
};

}  // namespace

TEST_F(TaskListTest, HeaderClicksSortTurnTheDirectionAndTheListOrderFollows)
{
    Add("b", 1LL << 30);
    Add("c", 3LL << 30);
    Add("a", 2LL << 30);
    View.Attach(&Manager);
    View.resize(900, 300);
    View.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&View));

    struct TClick {
        int Column;
        std::string Order;
        Qt::SortOrder Direction;
    };
    const TClick clicks[] = {
        {3, "bac", Qt::AscendingOrder},
        {3, "cab", Qt::DescendingOrder},  // 3 GB before 1 GB
        {3, "bac", Qt::AscendingOrder},   // the task list never goes back to no sort
        {0, "abc", Qt::AscendingOrder},
    };
    for (const TClick& click : clicks) {
        ClickHeader(click.Column);
        EXPECT_EQ(ShownOrder(), click.Order) << "column " << click.Column;
        EXPECT_EQ(ListOrder(), click.Order) << "the list order follows the view";
        EXPECT_EQ(View.header()->sortIndicatorSection(), click.Column);
        EXPECT_EQ(View.header()->sortIndicatorOrder(), click.Direction);
    }
}

TEST_F(TaskListTest, SelectionAndFocusMirrorTheRowListBothWays)
{
    for (const char* name : {"a", "b", "c"})
        Add(name, 10);
    View.Attach(&Manager);
    Manager.Rows().Select(1);
    Manager.Rows().Focus(1);
    EXPECT_TRUE(View.selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(View.currentIndex().row(), 1);

    View.selectionModel()->setCurrentIndex(View.Model().index(2, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(Manager.Rows().Focused(), 2);
    EXPECT_EQ(Manager.FirstSelected(), &Manager.Tasks()[2]);
    EXPECT_EQ(Manager.CountSelected(), 1);
    EXPECT_EQ(Manager.LogView().ShownLog(), &Manager.Tasks()[2].Log) << "the log follows the focus";

    // Hidden rows leave the model; the selection stays on the shown ones.
    Manager.Tasks()[0].SetState(stateCompleted);
    Manager.SetStatusFilter(stateStopped);
    EXPECT_EQ(View.Model().rowCount(), 2);
    EXPECT_EQ(View.currentIndex().row(), 1);
    EXPECT_TRUE(View.selectionModel()->isRowSelected(1, {}));
}

TEST_F(TaskListTest, ATickReportsChangedValuesOnceWithoutAReset)
{
    for (const char* name : {"a", "b", "c", "d"})
        Add(name, 100);
    TTaskListModel& model = View.Model();
    View.Attach(&Manager);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);

    model.RefreshValues();
    EXPECT_EQ(changed.count(), 0) << "nothing moved";
    Manager.Tasks()[1].Loaded = 50;
    Manager.Tasks()[2].Loaded = 70;
    model.RefreshValues();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>().row(), 1);
    EXPECT_EQ(changed[0][1].value<QModelIndex>().row(), 2);
    EXPECT_EQ(model.index(1, 5).data().toString(), "50%");

    // Structural changes come as such, never as a reset.
    Add("e", 1);
    EXPECT_EQ(inserted.count(), 1);
    Manager.Rows().Select(3);
    Manager.MoveSelectedToTop();
    EXPECT_EQ(layout.count(), 1);
    EXPECT_EQ(model.index(0, 0).data().toString(), "d");
    Manager.Tasks()[2].SetState(stateCompleted);
    Manager.SetStatusFilter(stateStopped);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(reset.count(), 0);
}

TEST_F(TaskListTest, ThePageShowsTheFocusedTasksLogAndKeepsItsColumnSettings)
{
    TTaskItem& a = Add("a", 10);
    a.Log.Add(2, "first");
    TTaskPage page;
    page.Attach(&Manager);
    Manager.Rows().Select(0);
    Manager.Rows().Focus(0);
    Manager.ShowFocusedLog();
    QAbstractItemModel& log = *page.LogList().model();
    ASSERT_EQ(log.rowCount(), 1);
    QSignalSpy inserted(&log, &QAbstractItemModel::rowsInserted);
    a.Log.Add(4, "second\nline");
    Manager.Tick();
    page.Tick();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(log.index(1, 3).data().toString(), "second\nline");
    EXPECT_EQ(page.InfoList().model()->index(0, 1).data().toString(), "a");

    TOptions& o = Options();
    o.TaskListColumns[4].Visible = false;
    o.TaskListColumns[11].Position = 0;
    o.TaskListColumns[0].Position = 11;
    o.TaskListColumns[3].Sorted = true;
    o.TaskListColumns[3].SortDirection = 1;
    const auto stored = o.TaskListColumns;
    page.ApplyColumns();
    EXPECT_EQ(page.TaskList().Sort().Column, 3);
    EXPECT_FALSE(page.TaskList().Sort().Ascending);
    page.ReadColumns();
    for (std::size_t column = 0; column < stored.size(); ++column) {
        EXPECT_EQ(o.TaskListColumns[column].Visible, stored[column].Visible) << column;
        EXPECT_EQ(o.TaskListColumns[column].Position, stored[column].Position) << column;
        EXPECT_EQ(o.TaskListColumns[column].Sorted, stored[column].Sorted) << column;
    }
    EXPECT_EQ(o.TaskListColumns[3].SortDirection, 1);
    page.Attach(nullptr);
}

TEST_F(TaskListTest, DroppedRowsMoveTheSelectedTasks)
{
    for (const char* name : {"a", "b", "c", "d"})
        Add(name, 10);
    View.Attach(&Manager);
    Manager.Rows().Select(0);
    Manager.Rows().Select(1);
    TTaskListModel& model = View.Model();
    std::unique_ptr<QMimeData> dragged(model.mimeData({model.index(0, 0), model.index(1, 0)}));
    model.dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, model.index(3, 0));
    EXPECT_EQ(ListOrder(), "cdab");
    EXPECT_EQ(ShownOrder(), "cdab");
    EXPECT_EQ(model.rowCount(), 4) << "the view removes no dragged row";
}
