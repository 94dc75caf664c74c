#include "tasks/qt/TaskPage.h"

#include "config/Options.h"
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
#include <QTabBar>
#include <QToolButton>

namespace {

constexpr int kMinPanelHeight = 101;

}  // namespace

TTaskPage::TTaskPage(QWidget* parent) : QWidget(parent), Ui_(std::make_unique<Ui::TaskPage>()), InfoModel_(nullptr)
{
    Ui_->setupUi(this);
    InfoModel_ = new TInfoListModel(clTaskList, kTaskInfoRowCount, clTaskInfo, this);
    Ui_->TreeInfoTask->setModel(InfoModel_);
    TOptions& o = Options();
    Ui_->TreeInfoTask->setItemDelegate(new TListDelegate(
        *Ui_->TreeInfoTask->header(), {&o.bTreeInfoTaskStripped, &o.bTreeInfoTaskVertGrid, &o.bTreeInfoTaskHorzGrid},
        Ui_->TreeInfoTask));
    Ui_->splTask->setStretchFactor(0, 1);
    Ui_->splTask->setStretchFactor(1, 0);
    // The splitter refuses sizes of 100 pixels or less.
    Ui_->splTask->setChildrenCollapsible(false);
    Ui_->TreeManagerTask->setMinimumHeight(kMinPanelHeight);
    Ui_->pnlLog->setMinimumHeight(kMinPanelHeight);
    // The button beside the panel's tabs collapses it to them, and opens it again.
    auto* collapse = new QToolButton(Ui_->pnlLog);
    collapse->setObjectName("btnCollapseInfo");
    collapse->setAutoRaise(true);
    Ui_->pnlLog->setCornerWidget(collapse, Qt::TopRightCorner);
    connect(collapse, &QToolButton::clicked, this, [this] { SetInfoCollapsed(!InfoCollapsed_); });
    connect(Ui_->pnlLog->tabBar(), &QTabBar::tabBarClicked, this, [this] { SetInfoCollapsed(false); });
    SetInfoCollapsed(false);
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
    OpenHeight_ = std::max(o.ipnlLogHeight, kMinPanelHeight);
    SetInfoCollapsed(o.bVisibleInfo);
}

void TTaskPage::SetInfoCollapsed(bool collapsed)
{
    InfoCollapsed_ = collapsed;
    auto* button = static_cast<QToolButton*>(Ui_->pnlLog->cornerWidget(Qt::TopRightCorner));
    button->setArrowType(collapsed ? Qt::UpArrow : Qt::DownArrow);
    const int tabs = Ui_->pnlLog->tabBar()->sizeHint().height() + 2;
    Ui_->pnlLog->setMinimumHeight(collapsed ? tabs : kMinPanelHeight);
    Ui_->pnlLog->setMaximumHeight(collapsed ? tabs : QWIDGETSIZE_MAX);
    const int total = std::max(Ui_->splTask->height(), OpenHeight_ + kMinPanelHeight);
    if (!collapsed)
        Ui_->splTask->setSizes({total - OpenHeight_, OpenHeight_});
}

void TTaskPage::ReadColumns()
{
    TOptions& o = Options();
    ::ReadColumns(*Ui_->TreeManagerTask->header(), o.TaskListColumns);
    ::ReadColumns(*Ui_->TreeLogTask->header(), o.LogListColumns);
    ::ReadColumns(*Ui_->TreeInfoTask->header(), o.InfoTaskColumns);
    const QList<int> sizes = Ui_->splTask->sizes();
    if (!InfoCollapsed_ && sizes.size() == 2 && sizes[1] > 0)
        OpenHeight_ = sizes[1];
    o.ipnlLogHeight = OpenHeight_;
    o.bVisibleInfo = InfoCollapsed_;
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
