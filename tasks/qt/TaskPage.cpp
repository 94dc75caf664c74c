#include "tasks/qt/TaskPage.h"

#include "config/Options.h"
#include "config/qt/CollapsiblePanel.h"
#include "config/qt/InfoListModel.h"
#include "config/qt/ListColumns.h"
#include "config/qt/ListDelegate.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskColumns.h"
#include "tasks/qt/TaskListModel.h"
#include "tasks/qt/TaskListView.h"
#include "tasks/qt/TaskLogListView.h"
#include "tasks/qt/TaskLogModel.h"

#include "ui_TaskPage.h"

#include <QHeaderView>

TTaskPage::TTaskPage(QWidget* parent)
    : QWidget(parent), Ui_(std::make_unique<Ui::TaskPage>()), InfoModel_(nullptr), Panel_(nullptr)
{
    Ui_->setupUi(this);
    InfoModel_ = new TInfoListModel(clTaskList, kTaskInfoRowCount, clTaskInfo, this);
    Ui_->TreeInfoTask->setModel(InfoModel_);
    TOptions& o = Options();
    Ui_->TreeInfoTask->setItemDelegate(new TListDelegate(
        *Ui_->TreeInfoTask->header(), {&o.bTreeInfoTaskStripped, &o.bTreeInfoTaskVertGrid, &o.bTreeInfoTaskHorzGrid},
        Ui_->TreeInfoTask));
    Panel_ = new TCollapsiblePanel(*Ui_->splTask, *Ui_->TreeManagerTask, *Ui_->pnlLog, "btnCollapseInfo");
    connect(Ui_->TreeManagerTask, &TTaskListView::FocusChanged, InfoModel_, &TInfoListModel::Refresh);
    connect(&Ui_->TreeManagerTask->Model(), &TTaskListModel::RowsSynced, InfoModel_, &TInfoListModel::Refresh);
}

TTaskPage::~TTaskPage()
{
    Attach(nullptr);
}

void TTaskPage::Attach(TManagerTask* manager)
{
    Manager_ = manager;
    Ui_->TreeManagerTask->Attach(manager);
    Ui_->TreeLogTask->Attach(manager ? &manager->LogView() : nullptr);
    if (!manager)
        InfoModel_->SetText(nullptr);
    else
        InfoModel_->SetText([manager](int row) {
            return TaskInfoRows(TaskInfoSubject(manager->Rows()), ColumnCaptions(clTaskList))[std::size_t(row)].Text;
        });
}

void TTaskPage::Tick()
{
    Ui_->TreeManagerTask->Model().RefreshValues();
    if (Ui_->TreeInfoTask->isVisible())
        InfoModel_->Refresh();
}

void TTaskPage::ApplyColumns()
{
    TOptions& o = Options();
    ::ApplyColumns(*Ui_->TreeManagerTask->header(), o.TaskListColumns);
    Ui_->TreeManagerTask->TakeSortFromHeader();
    ::ApplyColumns(*Ui_->TreeLogTask->header(), o.LogListColumns);
    for (std::size_t column = 0; column < o.LogListColumns.size(); ++column)
        if (o.LogListColumns[column].Sorted && Manager_) {
            Manager_->LogView().SetSort(int(column), o.LogListColumns[column].SortDirection == 0);
            break;
        }
    Ui_->TreeLogTask->ShowSort();
    ::ApplyColumns(*Ui_->TreeInfoTask->header(), o.InfoTaskColumns);
    Ui_->pnlLog->setCurrentIndex(o.iPageInfoActive);
    Panel_->Apply(o.ipnlLogHeight, o.bVisibleInfo);
}

void TTaskPage::SetInfoCollapsed(bool collapsed)
{
    Panel_->SetCollapsed(collapsed);
}

bool TTaskPage::InfoCollapsed() const
{
    return Panel_->Collapsed();
}

void TTaskPage::ReadColumns()
{
    TOptions& o = Options();
    ::ReadColumns(*Ui_->TreeManagerTask->header(), o.TaskListColumns);
    ::ReadColumns(*Ui_->TreeLogTask->header(), o.LogListColumns);
    ::ReadColumns(*Ui_->TreeInfoTask->header(), o.InfoTaskColumns);
    Panel_->Read(o.ipnlLogHeight, o.bVisibleInfo);
    o.iPageInfoActive = Ui_->pnlLog->currentIndex();
}

TTaskListView& TTaskPage::TaskList() const
{
    return *Ui_->TreeManagerTask;
}

QTreeView& TTaskPage::InfoList() const
{
    return *Ui_->TreeInfoTask;
}

TTaskLogListView& TTaskPage::LogList() const
{
    return *Ui_->TreeLogTask;
}

QTabWidget& TTaskPage::LogPanel() const
{
    return *Ui_->pnlLog;
}

QSplitter& TTaskPage::Splitter() const
{
    return *Ui_->splTask;
}
