#include "app/CompletionAction.h"
#include "app/ProgramSession.h"
#include "app/qt/LogindPower.h"
#include "app/qt/QuorvexForm.h"
#include "app/qt/dlgCompleteAll.h"
#include "app/qt/dlgCompleteOptions.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskItem.h"
#include "tasks/qt/QtMessageBoxes.h"
#include "ui_QuorvexForm.h"

#include <functional>

namespace {

// The window's answers to the completion action.
class TFormCompletionShell : public ICompletionShell {
public:
    std::function<bool(int)> Confirm;
    std::function<void()> Close;
    std::function<void(const std::string&)> Error;

    bool ConfirmCompletion(int seconds) override { return Confirm(seconds); }
    void CloseProgram() override { Close(); }
    void ShowSystemError(const std::string& text) override { Error(text); }
};

}  // namespace

void TQuorvexForm::ConnectAutomation()
{
    QAction* command = Action("actAutoAfterCompleteAll");
    command->setChecked(Options().bFinishAfterCompleteAll);
    connect(command, &QAction::triggered, this, [this, command] {
        TOptions& options = Options();
        TCompletionSettings settings = CompletionSettingsOf(options);
        options.bFinishAfterCompleteAll =
            ToggleCompletionAction(options.bFinishAfterCompleteAll, settings, [this](TCompletionSettings& edited) {
                return EditCompletionOptions(this, Language_, edited);
            });
        StoreCompletionSettings(settings, options);
        command->setChecked(options.bFinishAfterCompleteAll);
    });
    // The options dialog switches it as well: the check mark follows the option.
    connect(&Timer1_, &QTimer::timeout, command, [command] { command->setChecked(Options().bFinishAfterCompleteAll); });
}

void TQuorvexForm::PostCompletionAction()
{
    // Out of the tick that noticed the end: the warning waits for the user while the
    // window goes on ticking.
    QMetaObject::invokeMethod(
        this,
        [this] {
            // Downloads that start and end while the warning counts down end in one more
            // request: the warning in front answers for them.
            static bool running = false;
            if (running || Destroyed_ || !Options().bFinishAfterCompleteAll)
                return;
            running = true;
            const struct TDone {
                ~TDone() { running = false; }
            } done;
            TFormCompletionShell shell;
            shell.Confirm = [this](int seconds) { return ConfirmCompletion(this, Language_, seconds); };
            shell.Close = [this] {
                ExitConfirmed_ = true;
                ConfirmExit();
            };
            shell.Error = [this](const std::string& text) {
                Boxes_->ShowErrorBox(Translate("sHintCaptionError"), text);
            };
            const auto finished = [this] {
                if (Destroyed_)
                    return false;
                std::vector<TTaskState> states;
                const TTaskCollection& tasks = Tasks().Tasks();
                for (int i = 0; i < tasks.Count(); ++i)
                    states.push_back(tasks[i].State());
                return DownloadsFinished(states);
            };
            TLogindPower power;
            RunCompletionAction(CompletionSettingsOf(Options()), finished, shell, power);
        },
        Qt::QueuedConnection);
}
