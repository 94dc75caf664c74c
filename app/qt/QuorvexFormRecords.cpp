// The recycle-bin and scheduler pages: their lists, popups, keys, header menus and
// commands, and when those commands are enabled.
#include "app/qt/QuorvexForm.h"

#include "app/ProgramSession.h"
#include "config/Options.h"
#include "config/qt/ListColumns.h"
#include "records/RecycleBinManager.h"
#include "records/SchedulerManager.h"
#include "records/qt/RecordListView.h"
#include "records/qt/RecordRows.h"
#include "ui_QuorvexForm.h"

#include <QAction>
#include <QHeaderView>

#include <functional>
#include <initializer_list>

namespace {

// The lists' options of the columns, in the order of the lists below.
std::vector<TListColumnStore> TOptions::*const kColumns[] = {&TOptions::RecycleBinColumns,
                                                             &TOptions::SchedulerListColumns};

}  // namespace

void TQuorvexForm::ConnectRecords()
{
    TOptions& o = Options();
    const auto makeList = [this](QWidget& sheet, const char* name, TListDelegate::TLook look,
                                 std::unique_ptr<IRecordRows> rows) {
        auto* list = new TRecordListView(&sheet);
        list->setObjectName(name);
        list->SetLook(look);
        sheet.layout()->addWidget(list);
        list->Attach(std::move(rows));
        connect(list, &TRecordListView::SelectionMoved, this, &TQuorvexForm::UpdateCommands);
        InstallHeaderMenu(*list);
        return list;
    };
    RecycleBinList_ = makeList(
        *Ui_->tsRecycleBin, "TreeRecycleBin",
        {&o.bTreeManagerRecycleBinStripped, &o.bTreeManagerRecycleBinVertGrid, &o.bTreeManagerRecycleBinHorzGrid},
        RecycleBinRows(Session_->RecycleBin()));
    SchedulerList_ =
        makeList(*Ui_->tsManagerScheduler, "TreeManagerScheduler",
                 {&o.bTreeManagerSchedulerStripped, &o.bTreeManagerSchedulerVertGrid, &o.bTreeManagerSchedulerHorzGrid},
                 SchedulerRows(Session_->Scheduler()));
    TRecordListView* const lists[] = {RecycleBinList_, SchedulerList_};
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        ::ApplyColumns(*lists[i]->header(), o.*kColumns[i]);
        lists[i]->TakeSortFromHeader();
    }

    // The popups with their keys; a double click shows the properties.
    const auto popup = [this](TRecordListView& list, const char* name, std::initializer_list<const char*> names,
                              std::initializer_list<std::pair<QKeyCombination, const char*>> keys) {
        for (const auto& [key, command] : keys) {
            // Shown in the menus; the list itself runs them while it has the focus.
            Action(command)->setShortcut(key);
            Action(command)->setShortcutContext(Qt::WidgetShortcut);
            list.SetKeyCommand(key, [this, command = command] { RunIfEnabled(command); });
        }
        InstallListPopup(list, names)->setObjectName(name);
    };
    popup(*RecycleBinList_, "pmRecycleBin",
          {"actRecycleBinReload", "-", "actRecycleBinDelete", "actRecycleBinDeleteAll", "-", "actRecycleBinSelectAll",
           "actRecycleBinCopyPathToClipboard", "-", "actRecycleBinProperties"},
          {{Qt::CTRL | Qt::Key_R, "actRecycleBinReload"}, {QKeyCombination(Qt::Key_Delete), "actRecycleBinDelete"}});
    popup(*SchedulerList_, "pmManagerScheduler",
          {"actSchedulerAdd", "actSchedulerExecuteTask", "actSchedulerEnableTask", "actSchedulerDisableTask", "-",
           "actSchedulerDelete", "actSchedulerClear", "-", "actSchedulerSelectAll", "-", "actSchedulerProperties"},
          {{QKeyCombination(Qt::Key_Insert), "actSchedulerAdd"},
           {QKeyCombination(Qt::Key_Delete), "actSchedulerDelete"},
           {Qt::ALT | Qt::Key_Return, "actSchedulerProperties"}});
    for (const auto& [list, properties] :
         {std::pair{RecycleBinList_, "actRecycleBinProperties"}, std::pair{SchedulerList_, "actSchedulerProperties"}})
        connect(list, &QAbstractItemView::doubleClicked, this,
                [this, properties = properties] { RunIfEnabled(properties); });

    const auto on = [this](const char* name, std::function<void()> run) {
        connect(Action(name), &QAction::triggered, this, [this, run = std::move(run)] {
            run();
            Tick();
        });
    };
    TRecycleBinManager& bin = Session_->RecycleBin();
    on("actRecycleBinReload", [&bin] { bin.RestoreSelectedAfterConfirmation(); });
    on("actRecycleBinDelete", [&bin] { bin.DeleteSelectedAfterConfirmation(); });
    on("actRecycleBinDeleteAll", [&bin] { bin.ClearAfterConfirmation(); });
    on("actRecycleBinSelectAll", [&bin] { bin.SelectAll(); });
    on("actRecycleBinCopyPathToClipboard", [&bin] { bin.CopySourcesToClipboard(); });
    on("actRecycleBinProperties", [&bin] { bin.ShowSelectedProperties(); });
    // The scheduler's items never run: properties, enable and disable do nothing.
    TSchedulerManager& scheduler = Session_->Scheduler();
    on("actSchedulerAdd", [&scheduler] { scheduler.AddItem(); });
    on("actSchedulerDelete", [&scheduler] { scheduler.DeleteSelectedAfterConfirmation(); });
    on("actSchedulerClear", [&scheduler] { scheduler.ClearAfterConfirmation(); });
    on("actSchedulerSelectAll", [&scheduler] { scheduler.SelectAll(); });
    on("actSchedulerExecuteTask", [&scheduler] { scheduler.ExecuteSelectedAfterConfirmation(); });

    // The page's commands follow the page in front, and its list takes the keys at once.
    connect(Ui_->pcPages, &QTabWidget::currentChanged, this, [this](int page) {
        UpdateCommands();
        if (page == pgRecycleBin)
            RecycleBinList_->setFocus();
        else if (page == pgScheduler)
            SchedulerList_->setFocus();
    });
}

void TQuorvexForm::UpdateRecordCommands()
{
    if (!RecycleBinList_)
        return;
    const auto enable = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names)
            Action(name)->setEnabled(on);
    };
    const TPage page = PageInFront();
    const TRecycleBinManager& bin = Session_->RecycleBin();
    const bool binInFront = page == pgRecycleBin;
    enable(
        {"actRecycleBinReload", "actRecycleBinDelete", "actRecycleBinCopyPathToClipboard", "actRecycleBinProperties"},
        binInFront && bin.HasSelection());
    enable({"actRecycleBinDeleteAll", "actRecycleBinSelectAll"}, binInFront && bin.HasRecords());
    const TSchedulerManager& scheduler = Session_->Scheduler();
    const bool schedulerInFront = page == pgScheduler;
    enable({"actSchedulerAdd"}, schedulerInFront);
    enable({"actSchedulerDelete", "actSchedulerProperties", "actSchedulerExecuteTask", "actSchedulerEnableTask",
            "actSchedulerDisableTask"},
           schedulerInFront && scheduler.HasSelection());
    enable({"actSchedulerClear", "actSchedulerSelectAll"}, schedulerInFront && scheduler.HasRecords());
    // Routed to no page: it never does anything, so it is never offered.
    enable({"actDeleteAll"}, false);
}

void TQuorvexForm::TickRecords()
{
    if (!RecycleBinList_)
        return;
    RecycleBinList_->Tick();
    SchedulerList_->Tick();
}

void TQuorvexForm::CloseRecords()
{
    TRecordListView* const lists[] = {RecycleBinList_, SchedulerList_};
    for (std::size_t i = 0; i < std::size(lists); ++i) {
        ::ReadColumns(*lists[i]->header(), Options().*kColumns[i]);
        // The lists let go of the rows before their managers go.
        lists[i]->Attach(nullptr);
    }
}
