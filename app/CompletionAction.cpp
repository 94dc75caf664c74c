#include "app/CompletionAction.h"

#include "config/Options.h"
#include "core/MessageCatalogue.h"

std::vector<std::string> CompletionActionNames()
{
    std::vector<std::string> names;
    for (const char* id : {"scaShutdown", "scaReboot", "scaHibernate", "scaSleep", "scaLogoff", "scaClose"})
        names.push_back(Translate(id));
    return names;
}

TCompletionSettings CompletionSettingsOf(const TOptions& options)
{
    return {options.bShowFinishWarning, options.caFinishAction, options.iShowWarningTimeOut,
            options.bFinishForceCloseApplicattion};
}

void StoreCompletionSettings(const TCompletionSettings& settings, TOptions& options)
{
    options.bShowFinishWarning = settings.ShowWarning;
    options.caFinishAction = settings.Action;
    options.iShowWarningTimeOut = settings.WarningSeconds;
    options.bFinishForceCloseApplicattion = settings.Force;
}

bool DownloadsFinished(const std::vector<TTaskState>& states)
{
    for (TTaskState state : states)
        switch (state) {
        case stateWait:
        case stateStarted:
        case stateError:
        case stateTemporaryPaused: return false;
        case stateStopped:
        case stateErrorStopped:
        case stateCompleted:
        case stateScheduled: break;
        }
    return true;
}

void PerformCompletionAction(const TCompletionSettings& settings, ICompletionShell& shell, ISystemPower& power)
{
    std::string refusal;
    switch (settings.Action) {
    case caShutdown: refusal = power.PowerOff(settings.Force); break;
    case caReboot: refusal = power.Reboot(settings.Force); break;
    case caHibernate: refusal = power.Hibernate(settings.Force); break;
    case caSleep: refusal = power.Suspend(settings.Force); break;
    case caLogoff: refusal = power.LogOff(settings.Force); break;
    case caClose: shell.CloseProgram(); return;
    default: return;
    }
    if (!refusal.empty())
        shell.ShowSystemError(refusal);
}
