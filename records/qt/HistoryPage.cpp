#include "records/qt/HistoryPage.h"

#include "config/Options.h"
#include "config/qt/CollapsiblePanel.h"
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

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

THistoryPage::THistoryPage(QWidget* parent)
    : QWidget(parent), Ui_(std::make_unique<Ui::HistoryPage>()), InfoModel_(nullptr), Panel_(nullptr)
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
    Panel_ = new TCollapsiblePanel(*Ui_->splHistory, *Ui_->TreeManagerHistory, *Ui_->pnlHistoryInfo,
                                   "btnCollapseHistoryInfo");
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
    Panel_->Apply(o.ipnlLogHeightHistoryInfo, o.bVisibleHistoryInfo);
}

void THistoryPage::SetInfoCollapsed(bool collapsed)
{
    Panel_->SetCollapsed(collapsed);
}

bool THistoryPage::InfoCollapsed() const
{
    return Panel_->Collapsed();
}

void THistoryPage::ReadColumns()
{
    TOptions& o = Options();
    ::ReadColumns(*Ui_->TreeManagerHistory->header(), o.HistoryListColumns);
    ::ReadColumns(*Ui_->TreeInfoHistory->header(), o.HistoryInfoColumns);
    Panel_->Read(o.ipnlLogHeightHistoryInfo, o.bVisibleHistoryInfo);
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
