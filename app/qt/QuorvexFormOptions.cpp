// The options dialog as the main window opens it and applies what it changed, and the
// language menu.
#include "app/qt/QuorvexForm.h"

#include "app/CompletionAction.h"
#include "app/DesktopIntegration.h"
#include "app/ProgramSession.h"
#include "app/ViewToggles.h"
#include "app/WindowTitle.h"
#include "app/qt/SoundPlayer.h"
#include "app/qt/TrayIcon.h"
#include "app/qt/dlgCompleteOptions.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/qt/QtLangWindow.h"
#include "core/AppFolders.h"
#include "hosts/qt/DlgOpt.h"
#include "hosts/qt/QtTrafficGraph.h"
#include "records/HistoryManager.h"
#include "tasks/qt/DialogShow.h"
#include "tasks/qt/QtMessageBoxes.h"
#include "tasks/qt/QtTaskDialogs.h"
#include "tasks/qt/TaskPage.h"
#include "ui_QuorvexForm.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>

void TQuorvexForm::ConnectOptions()
{
    connect(Action("actOptions"), &QAction::triggered, this, &TQuorvexForm::ShowOptions);
    BuildLanguageMenu();
}

void TQuorvexForm::ShowOptions()
{
    // From the tray while a dialog is open: that one is answered first, or a second copy of
    // the options would overwrite what the first one stores.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
    TOptions& options = Options();
    // Read and applied with the program's path of now: a moved program rewrites its entry.
    TDesktopIntegration integration(SessionIntegrationPlaces(ProgramPath()), *Boxes_);
    const TDlgOptEnvironment environment{
        Session_->UserAgents(), Session_->Proxies(), Session_->ConnectionTypes(), *Dialogs_, integration, Language_};
    const auto trigger = [this](const char* command) {
        return [this, command] {
            if (QAction* action = Action(command); action && action->isEnabled())
                action->trigger();
        };
    };
    TDlgOptCommands commands;
    commands.PlaySound = [this](const std::string& file) { Sounds_->Play(QString::fromStdString(file)); };
    commands.EditConnectionTypes = trigger("actSetTrafUseValue");
    // What the history page's command runs, whichever page is in front.
    commands.ClearHistory = [this] {
        Session_->History().ClearAfterConfirmation();
        Tick();
    };
    commands.GraphProperties = trigger("actGraphProperties");
    commands.EditCompletionOptions = [this](bool& showWarning, int& seconds, int& action, bool& force) {
        TCompletionSettings settings{
            .ShowWarning = showWarning, .Action = action, .WarningSeconds = seconds, .Force = force};
        if (!EditCompletionOptions(this, Language_, settings))
            return false;
        showWarning = settings.ShowWarning;
        seconds = settings.WarningSeconds;
        action = settings.Action;
        force = settings.Force;
        return true;
    };
    TDlgOpt dialog(options, environment, std::move(commands), this);
    TranslateQtForm(Language_, dialog);
    if (ExecCentred(dialog, this) != QDialog::Accepted)
        return;

    // What takes effect at once; the rest is read where it is used.
    const TOptionsDialogResult& result = dialog.Result();
    Session_->ApplyListOptions();
    BuildActiveTaskPopup();
    Ui_->pnlPages->setVisible(options.bShowTabPanel);
    if (result.Changed("bShowStatusBar"))
        Ui_->StatusBar1->setVisible(options.bShowStatusBar);
    if (result.Changed("bShowTabs"))
        Ui_->pcPages->tabBar()->setVisible(options.bShowTabs);
    for (const TViewToggle& toggle : kViewToggles)
        Action(toggle.Command)->setChecked(options.*toggle.Option);
    Action("actGraphShow")->setChecked(options.bGraphTrafVisible);
    TrafficGraph1_->setVisible(options.bGraphTrafVisible);
    Tick();
}

void TQuorvexForm::BuildLanguageMenu()
{
    QMenu* menu = Ui_->mnChangeLang;
    menu->clear();
    auto* group = new QActionGroup(menu);
    for (const TLangMenuItem& item : ListLang()) {
        QAction* action = menu->addAction(QString::fromStdString(item.Caption));
        action->setCheckable(true);
        action->setChecked(item.Checked);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, file = item.Caption] { ChangeLanguage(file); });
    }
}

void TQuorvexForm::ChangeLanguage(const std::string& file)
{
    // Every open window takes the new texts.
    std::vector<std::unique_ptr<TQtLangWindow>> adapters;
    std::vector<ILangWindow*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (!window->objectName().isEmpty())
            windows.push_back(adapters.emplace_back(std::make_unique<TQtLangWindow>(*window)).get());
    ChangeLang(Language_, file, windows);
    // Texts the window put together itself.
    const QString title = QString::fromStdString(MainWindowTitle());
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
    Tray_->SetToolTip(title);
    BuildLanguageMenu();
    BuildPageTree();
    BuildActiveTaskPopup();
    Tick();
}
