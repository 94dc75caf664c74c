#include "records/qt/HistoryPage.h"

#include "config/Options.h"
#include "config/qt/InfoListModel.h"
#include "config/qt/ListColumns.h"
#include "config/qt/ListDelegate.h"
#include "records/HistoryManager.h"
#include "records/qt/RecordListView.h"
#include "records/qt/RecordRows.h"

#include "ui_HistoryPage.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>

namespace {

constexpr int kMinPanelHeight = 101;

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

THistoryPage::THistoryPage(QWidget* parent)
    : QWidget(parent), Ui_(std::make_unique<Ui::HistoryPage>()), InfoModel_(nullptr)
{
    Ui_->setupUi(this);
    InfoModel_ = new TInfoListModel(clHistory, kHistoryColumnCount, clHistoryInfo, this);
    Ui_->TreeInfoHistory->setModel(InfoModel_);
    TOptions& o = Options();
    Ui_->TreeManagerHistory->SetLook(
        {&o.bTreeManagerHistoryStripped, &o.bTreeManagerHistoryVertGrid, &o.bTreeManagerHistoryHorzGrid});
    Ui_->TreeInfoHistory->setItemDelegate(new TListDelegate(
        *Ui_->TreeInfoHistory->header(),
        {&o.bTreeInfoHistoryStripped, &o.bTreeInfoHistoryVertGrid, &o.bTreeInfoHistoryHorzGrid}, Ui_->TreeInfoHistory));
    Ui_->splHistory->setStretchFactor(0, 1);
    Ui_->splHistory->setStretchFactor(1, 0);
    // The splitter refuses sizes of 100 pixels or less.
    Ui_->TreeManagerHistory->setMinimumHeight(kMinPanelHeight);
    Ui_->pnlHistoryInfo->setMinimumHeight(kMinPanelHeight);
    auto* collapse = new QToolButton(Ui_->pnlHistoryInfo);
    collapse->setObjectName("btnCollapseHistoryInfo");
    collapse->setAutoRaise(true);
    Ui_->pnlHistoryInfo->setCornerWidget(collapse, Qt::TopRightCorner);
    connect(collapse, &QToolButton::clicked, this, [this] { SetInfoCollapsed(!InfoCollapsed_); });
    connect(Ui_->pnlHistoryInfo->tabBar(), &QTabBar::tabBarClicked, this, [this] { SetInfoCollapsed(false); });
    SetInfoCollapsed(false);
    connect(Ui_->TreeManagerHistory, &TRecordListView::SelectionMoved, InfoModel_, &TInfoListModel::Refresh);
    // A double click opens the copy or its properties, as the options say.
    connect(Ui_->TreeManagerHistory, &QAbstractItemView::doubleClicked, this, [this] {
        if (Manager_ && Manager_->HasSelection())
            Manager_->DoubleClickSelected();
    });

    // Every change of the box's text filters at once; Enter remembers it.
    connect(Ui_->cmbHistoryTextFilter, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (Manager_ && !Filling_)
            Manager_->SetTextFilter(text.toStdString());
    });
    FillFilterBox();
}

THistoryPage::~THistoryPage()
{
    Attach(nullptr);
}

void THistoryPage::Attach(THistoryManager* manager)
{
    if (Manager_)
        Manager_->OnFilterApplied = nullptr;
    Manager_ = manager;
    Ui_->TreeManagerHistory->Attach(manager ? HistoryRows(*manager) : nullptr);
    if (!manager)
        InfoModel_->SetText(nullptr);
    else
        InfoModel_->SetText([manager](int row) {
            const THistoryItem* record = manager->InfoSubject();
            return record ? HistoryColumnText(*record, row) : std::string();
        });
    if (Manager_) {
        // The box shows the filter the history has (none at start).
        const QSignalBlocker blocker(Ui_->cmbHistoryTextFilter);
        Ui_->cmbHistoryTextFilter->setEditText(Q(Manager_->TextFilter()));
        Manager_->OnFilterApplied = [this] { InfoModel_->Refresh(); };
    }
}

void THistoryPage::Tick()
{
    if (!isVisible())
        return;
    Ui_->TreeManagerHistory->Tick();
    if (Ui_->TreeInfoHistory->isVisible())
        InfoModel_->Refresh();
}

void THistoryPage::ApplyColumns()
{
    TOptions& o = Options();
    ::ApplyColumns(*Ui_->TreeManagerHistory->header(), o.HistoryListColumns);
    Ui_->TreeManagerHistory->TakeSortFromHeader();
    ::ApplyColumns(*Ui_->TreeInfoHistory->header(), o.HistoryInfoColumns);
    OpenHeight_ = std::max(o.ipnlLogHeightHistoryInfo, kMinPanelHeight);
    SetInfoCollapsed(o.bVisibleHistoryInfo);
}

void THistoryPage::ReadColumns()
{
    TOptions& o = Options();
    ::ReadColumns(*Ui_->TreeManagerHistory->header(), o.HistoryListColumns);
    ::ReadColumns(*Ui_->TreeInfoHistory->header(), o.HistoryInfoColumns);
    const QList<int> sizes = Ui_->splHistory->sizes();
    if (!InfoCollapsed_ && sizes.size() == 2 && sizes[1] > 0)
        OpenHeight_ = sizes[1];
    o.ipnlLogHeightHistoryInfo = OpenHeight_;
    o.bVisibleHistoryInfo = InfoCollapsed_;
}

void THistoryPage::SetInfoCollapsed(bool collapsed)
{
    InfoCollapsed_ = collapsed;
    auto* button = static_cast<QToolButton*>(Ui_->pnlHistoryInfo->cornerWidget(Qt::TopRightCorner));
    button->setArrowType(collapsed ? Qt::UpArrow : Qt::DownArrow);
    const int tabs = Ui_->pnlHistoryInfo->tabBar()->sizeHint().height() + 2;
    Ui_->pnlHistoryInfo->setMinimumHeight(collapsed ? tabs : kMinPanelHeight);
    Ui_->pnlHistoryInfo->setMaximumHeight(collapsed ? tabs : QWIDGETSIZE_MAX);
    const int total = std::max(Ui_->splHistory->height(), OpenHeight_ + kMinPanelHeight);
    if (!collapsed)
        Ui_->splHistory->setSizes({total - OpenHeight_, OpenHeight_});
}

void THistoryPage::SetFilterCommands(QAction* apply, QAction* clear)
{
    Ui_->btnHistorySetTextFilter->setDefaultAction(apply);
    Ui_->btnHistoryClearTextFilter->setDefaultAction(clear);
    const auto runIfEnabled = [](QAction* action) {
        if (action->isEnabled())
            action->trigger();
    };
    connect(Ui_->cmbHistoryTextFilter->lineEdit(), &QLineEdit::returnPressed, apply,
            [apply, runIfEnabled] { runIfEnabled(apply); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), Ui_->cmbHistoryTextFilter, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, clear, [clear, runIfEnabled] { runIfEnabled(clear); });
}

bool THistoryPage::CanApplyTextFilter() const
{
    return Manager_ && Manager_->CanApplyTextFilter(Ui_->cmbHistoryTextFilter->currentText().toStdString());
}

bool THistoryPage::CanClearTextFilter() const
{
    return Manager_ && Manager_->CanClearTextFilter();
}

void THistoryPage::ApplyTextFilter()
{
    if (!Manager_)
        return;
    Manager_->ApplyTextFilterFromBox(Ui_->cmbHistoryTextFilter->currentText().toStdString());
    FillFilterBox();
}

void THistoryPage::ClearTextFilter()
{
    if (!Manager_)
        return;
    Manager_->ClearTextFilter();
    const QSignalBlocker blocker(Ui_->cmbHistoryTextFilter);
    Ui_->cmbHistoryTextFilter->setEditText({});
}

void THistoryPage::FillFilterBox()
{
    QComboBox& box = *Ui_->cmbHistoryTextFilter;
    const QString text = box.currentText();
    Filling_ = true;
    box.clear();
    for (const std::string& entry : Options().ListFilter)
        box.addItem(Q(entry));
    // The text just applied stands at the top of the list: it is selected.
    const int found = box.findText(text, Qt::MatchExactly);
    if (found >= 0)
        box.setCurrentIndex(found);
    box.setEditText(text);
    Filling_ = false;
}

TRecordListView& THistoryPage::HistoryList() const
{
    return *Ui_->TreeManagerHistory;
}

QTreeView& THistoryPage::InfoList() const
{
    return *Ui_->TreeInfoHistory;
}

QComboBox& THistoryPage::FilterBox() const
{
    return *Ui_->cmbHistoryTextFilter;
}

QSplitter& THistoryPage::Splitter() const
{
    return *Ui_->splHistory;
}
