// The commands of the main window: what each one runs, and when it is enabled.
#include "app/qt/QuorvexForm.h"

#include "app/GenericCommands.h"
#include "app/ClipboardMonitor.h"
#include "app/PageTree.h"
#include "app/ProgramSession.h"
#include "app/ViewToggles.h"
#include "app/qt/AboutBox.h"
#include "app/qt/StatusPanels.h"
#include "app/qt/WindowImages.h"
#include "config/Options.h"
#include "core/AppFolders.h"
#include "core/MessageCatalogue.h"
#include "hosts/ManagerHost.h"
#include "hosts/PriorityCommands.h"
#include "hosts/TrafficUsage.h"
#include "tasks/ActiveTaskLimit.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"
#include "tasks/TaskListFile.h"
#include "tasks/TaskLogView.h"
#include "tasks/qt/QtDesktop.h"
#include "tasks/qt/QtTaskDialogs.h"
#include "tasks/qt/TaskPage.h"
#include "ui_QuorvexForm.h"

#include <QActionGroup>
#include <QFileDialog>
#include <QMenu>
#include <QToolButton>

#include <functional>

namespace {

enum TListCommand { lcNew, lcOpen, lcAppend, lcSaveAs };

const char* const kPriorityCommands[kTrafficPriorityCount] = {"actSetTrafLowest", "actSetTrafLower", "actSetTrafMidle",
                                                              "actSetTrafHigher", "actSetTrafHighest"};

}  // namespace

void TQuorvexForm::ConnectCommands()
{
    const auto on = [this](const char* name, std::function<void()> run) {
        connect(Action(name), &QAction::triggered, this, [run = std::move(run)] { run(); });
    };
    ConnectTaskCommands();
    ConnectViewCommands();
    ConnectListCommands();

    on("actListNew", [this] { OpenListFile(lcNew); });
    on("actListOpen", [this] { OpenListFile(lcOpen); });
    on("actListAppend", [this] { OpenListFile(lcAppend); });
    on("actListSaveAs", [this] { OpenListFile(lcSaveAs); });
    on("actListSave", [this] { Session_->ListFile().Save(); });
    on("actExit", [this] { ConfirmExit(); });
    on("actTrayShowWindow", [this] { ShowWindow(); });
    on("actAbout", [this] { ShowAboutBox(this, *Desktop_, Language_); });
    on("actHelp", [this] { Desktop_->ShellOpen(ResourceFolder() + Translate("sfilehelp")); });
    on("actFAQ", [this] { Desktop_->ShellOpen(ResourceFolder() + Translate("sfilefaq")); });
    on("actWhatNew", [this] { Desktop_->ShellOpen(ResourceFolder() + Translate("sfilehistory")); });
    on("actHome", [this] { Desktop_->OpenWithDefaultHandler(Translate("sHomeAddress")); });
    on("actMail", [this] { Desktop_->OpenWithDefaultHandler(Translate("sMailAddress")); });

    for (int command = 0; command < kGenericCommandCount; ++command)
        on(GenericCommandName(TGenericCommand(command)), [this, command] { RouteGeneric(command); });

    Action("actSetNumActiveTask")->setMenu(ActiveTaskMenu_);
    if (auto* button = qobject_cast<QToolButton*>(Ui_->ToolBar1->widgetForAction(Action("actSetNumActiveTask"))))
        button->setPopupMode(QToolButton::InstantPopup);
}

void TQuorvexForm::ConnectTaskCommands()
{
    const auto onTasks = [this](const char* name, void (TManagerTask::*command)()) {
        connect(Action(name), &QAction::triggered, this, [this, command] {
            (Tasks().*command)();
            Tick();
        });
    };
    onTasks("actTaskAdd", &TManagerTask::AddNewTask);
    onTasks("actTaskDelete", &TManagerTask::DeleteSelected);
    onTasks("actTaskStart", &TManagerTask::StartSelected);
    onTasks("actTaskPause", &TManagerTask::PauseSelected);
    onTasks("actTaskPauseTemp", &TManagerTask::PauseSelectedTemporarily);
    onTasks("actTaskStartAll", &TManagerTask::StartAll);
    onTasks("actTaskPauseAll", &TManagerTask::PauseAll);
    onTasks("actTaskDeleteAll", &TManagerTask::DeleteAll);
    onTasks("actTaskDeleteAllCompleted", &TManagerTask::RemoveCompleted);
    onTasks("actTaskReload", &TManagerTask::RestartSelected);
    onTasks("actTaskStartImmediately", &TManagerTask::StartSelectedImmediately);
    onTasks("actTaskMoveUP", &TManagerTask::MoveSelectedUp);
    onTasks("actTaskMoveDown", &TManagerTask::MoveSelectedDown);
    onTasks("actTaskMoveBegin", &TManagerTask::MoveSelectedToTop);
    onTasks("actTaskMoveEnd", &TManagerTask::MoveSelectedToEnd);
    onTasks("actTaskSelectAll", &TManagerTask::SelectAll);
    onTasks("actTaskOpen", &TManagerTask::OpenSelectedFiles);
    onTasks("actTaskOpenDestination", &TManagerTask::OpenSelectedDestinations);
    onTasks("actTaskOpenSource", &TManagerTask::OpenSelectedSources);
    onTasks("actTaskCopyPathToClipboard", &TManagerTask::CopySourcesToClipboard);
    connect(Action("actTaskProperties"), &QAction::triggered, this, [this] {
        if (TTaskItem* task = Tasks().FirstSelected())
            Tasks().ShowTaskProperties(*task, false);
    });
    connect(Action("actTaskPastePathFromClipboard"), &QAction::triggered, this, [this] {
        ClipboardMonitor_->Paste(ClipboardFormats());
        Tick();
    });
    connect(Action("actTaskAddToHostManager"), &QAction::triggered, this, [this] {
        if (TTaskItem* task = Tasks().FirstSelected())
            Session_->Hosts().AddHostFromLink(task->Source);
    });
    for (int tag = 0; tag < kTrafficPriorityCount; ++tag)
        connect(Action(kPriorityCommands[tag]), &QAction::triggered, this,
                [this, tag] { SetTrafficPriority(Tasks(), tag); });
    connect(Action("actChangeTrafUse"), &QAction::triggered, this, [this] { ChangeTrafficUse(Tasks()); });
}

void TQuorvexForm::ConnectViewCommands()
{
    // What a toggle changes at once besides its option.
    const std::pair<const char*, std::function<void(bool)>> effects[] = {
        {"actShowSatusBar", [this](bool on) { Ui_->StatusBar1->setVisible(on); }},
        {"actShowIcons", [this](bool) { TaskPage_->Tick(); }},
        {"actShowTabPanel", [this](bool on) { Ui_->pnlPages->setVisible(on); }},
        {"actShowTabs", [this](bool on) { Ui_->pcPages->tabBar()->setVisible(on); }},
    };
    for (const TViewToggle& toggle : kViewToggles) {
        QAction* action = Action(toggle.Command);
        action->setChecked(Options().*toggle.Option);
        std::function<void(bool)> effect;
        for (const auto& [command, apply] : effects)
            if (std::string_view(command) == toggle.Command)
                effect = apply;
        connect(action, &QAction::triggered, this, [action, command = toggle.Command, effect] {
            const bool on = ToggleView(command);
            action->setChecked(on);
            if (effect)
                effect(on);
        });
    }

    // The page commands: each puts its page in front and shows a check mark while it is.
    auto* pages = new QActionGroup(this);
    for (const TPageCommand& command : kPageCommands) {
        QAction* action = Action(command.Name);
        pages->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, page = command.Page] { Ui_->pcPages->setCurrentIndex(page); });
    }
}

void TQuorvexForm::UpdateCommands()
{
    TManagerTask& tasks = Tasks();
    const bool selection = tasks.HasSelection();
    const bool hasTasks = tasks.HasTasks();
    const auto enable = [this](const char* name, bool on) { Action(name)->setEnabled(on); };
    enable("actTaskStart", tasks.CanStartSelected());
    enable("actTaskStartImmediately", tasks.CanStartSelected());
    enable("actTaskPause", tasks.CanPauseSelected());
    enable("actTaskPauseTemp", tasks.CanPauseSelectedTemporarily());
    enable("actTaskPauseAll", tasks.CanPauseAll());
    enable("actTaskStartAll", hasTasks);
    enable("actTaskDeleteAll", hasTasks);
    enable("actTaskSelectAll", hasTasks);
    enable("actTaskDeleteAllCompleted", tasks.HasCompleted());
    enable("actTaskMoveUP", tasks.CanMoveUp());
    enable("actTaskMoveBegin", tasks.CanMoveUp());
    enable("actTaskMoveDown", tasks.CanMoveDown());
    enable("actTaskMoveEnd", tasks.CanMoveDown());
    for (const char* name :
         {"actTaskDelete", "actTaskReload", "actTaskProperties", "actTaskOpen", "actTaskOpenDestination",
          "actTaskOpenSource", "actTaskCopyPathToClipboard", "actTaskAddToHostManager", "actChangeTrafUse"})
        enable(name, selection);

    const TPriorityCommandsState priority = GetPriorityCommandsState(tasks, Session_->ConnectionTypes());
    for (int tag = 0; tag < kTrafficPriorityCount; ++tag) {
        QAction* action = Action(kPriorityCommands[tag]);
        action->setCheckable(true);
        action->setChecked(priority.SetTraf[std::size_t(tag)].Checked);
        action->setText(QString::fromStdString(priority.SetTraf[std::size_t(tag)].Caption));
    }

    UpdateHostCommands();
    const TPage page = PageInFront();
    const TMainPages pages{.Tasks = &tasks,
                           .History = &Session_->History(),
                           .RecycleBin = &Session_->RecycleBin(),
                           .Hosts = &Session_->Hosts(),
                           .Scheduler = &Session_->Scheduler()};
    const TPageCommandState state = PageCommandState(page, pages, ClipboardReadable_);
    for (int command = 0; command < kGenericCommandCount; ++command)
        enable(GenericCommandName(TGenericCommand(command)),
               GenericCommandEnabled(TGenericCommand(command), page, state));
    for (const TViewToggle& toggle : kViewToggles)
        enable(toggle.Command, ViewToggleEnabled(toggle.Command));
    UpdateHistoryCommands();
    for (const TPageCommand& command : kPageCommands)
        Action(command.Name)->setChecked(command.Page == page);
    UpdateRecordCommands();
}

void TQuorvexForm::RouteGeneric(int command)
{
    const char* target = PageCommandOf(TGenericCommand(command), PageInFront());
    if (!target)
        return;
    if (std::string_view(target) == kFindDialog) {
        ShowFindDialog();
        return;
    }
    if (QAction* action = Action(target); action && action->isEnabled())
        action->trigger();
}

void TQuorvexForm::BuildActiveTaskPopup()
{
    if (!ActiveTaskMenu_)
        ActiveTaskMenu_ = new QMenu(this);
    ActiveTaskMenu_->clear();
    auto* group = new QActionGroup(ActiveTaskMenu_);
    for (int item = 1; item <= kNumActiveTaskAskItem; ++item) {
        QAction* action = ActiveTaskMenu_->addAction(QString::fromStdString(NumActiveTaskItemCaption(item)));
        action->setCheckable(true);
        action->setChecked(item == NumActiveTaskItem(Tasks().MaxActiveTasks));
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, item] {
            SetNumActiveTask(Tasks(), item);
            BuildActiveTaskPopup();
            Tick();
        });
    }
    ActiveTaskMenu_->addSeparator();
    Action("actSetNumActiveTask")->setIcon(NumActiveTaskIcon(Tasks().MaxActiveTasks));
}

void TQuorvexForm::OpenListFile(int command)
{
    const QString filter = QStringLiteral("Quorvex files (*.qtl)");
    const QString folder = QString::fromStdString(DataFolder());
    TTaskListFile& list = Session_->ListFile();
    QString name;
    if (command == lcOpen || command == lcAppend)
        name = QFileDialog::getOpenFileName(this, QStringLiteral("Открыть"), folder, filter);
    else
        name = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить"), folder, filter);
    if (name.isEmpty())
        return;
    if (command != lcOpen && command != lcAppend && !name.endsWith(".qtl"))
        name += ".qtl";
    const std::string file = name.toStdString();
    switch (command) {
    case lcNew: list.New(file); break;
    case lcOpen: list.Open(file); break;
    case lcAppend: list.Append(file); break;
    case lcSaveAs: list.SaveAs(file); break;
    }
    Tick();
}
