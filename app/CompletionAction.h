#pragma once

#include "tasks/TaskTypes.h"

#include <string>
#include <vector>

struct TOptions;

// What the program does once the last download has ended (the option caFinishAction).
enum TCompletionAction : int {
    caShutdown = 0,
    caReboot = 1,
    caHibernate = 2,
    caSleep = 3,
    caLogoff = 4,
    caClose = 5,
};
inline constexpr int kCompletionActionCount = 6;

// The names of the actions (messages scaShutdown ... scaClose), in the order of their values.
std::vector<std::string> CompletionActionNames();

// The four options that describe the action.
struct TCompletionSettings {
    bool ShowWarning = true;
    int Action = caShutdown;
    int WarningSeconds = 30;
    bool Force = true;
};
// Read from and stored into a set of options: the program's, or the controls of the
// options dialog, whose button edits the same four values.
TCompletionSettings CompletionSettingsOf(const TOptions& options);
void StoreCompletionSettings(const TCompletionSettings& settings, TOptions& options);

// The system's power requests. Each returns empty when the system took the request, or the
// system's own text of why it refused. force: do not wait for other programs that hold the
// system up, where the system allows that.
class ISystemPower {
public:
    virtual ~ISystemPower() = default;
    virtual std::string PowerOff(bool force) = 0;
    virtual std::string Reboot(bool force) = 0;
    virtual std::string Hibernate(bool force) = 0;
    virtual std::string Suspend(bool force) = 0;
    // Ends the user's session.
    virtual std::string LogOff(bool force) = 0;
};

// The window's side of the action.
class ICompletionShell {
public:
    virtual ~ICompletionShell() = default;
    // The timed warning; true for OK, pressed or timed out.
    virtual bool ConfirmCompletion(int seconds) = 0;
    // The normal end of the program, everything saved, without asking.
    virtual void CloseProgram() = 0;
    // A refused request, with the system's text; the program goes on.
    virtual void ShowSystemError(const std::string& text) = 0;
};

// Whether no download is left to run: none running, none waiting in the queue, none in its
// pause before a retry and none paused for a while.
bool DownloadsFinished(const std::vector<TTaskState>& states);

// Runs the action once the downloads have finished: the warning first when asked for, then
// the action. finished is asked before the warning and again after it, since a download
// may start while the warning counts down; the action never runs while one is left.
// Values outside the table do nothing.
template <class Finished>
void RunCompletionAction(const TCompletionSettings& settings, Finished&& finished, ICompletionShell& shell,
                         ISystemPower& power);

// The command that switches the action on and off: on turns it off; off asks edit for the
// settings (true on OK) and turns it on only then. Returns the option's new state.
template <class Edit>
bool ToggleCompletionAction(bool enabled, TCompletionSettings& settings, Edit&& edit)
{
    if (enabled)
        return false;
    TCompletionSettings edited = settings;
    if (!edit(edited))
        return false;
    settings = edited;
    return true;
}

// Performs the action without any question.
void PerformCompletionAction(const TCompletionSettings& settings, ICompletionShell& shell, ISystemPower& power);

template <class Finished>
void RunCompletionAction(const TCompletionSettings& settings, Finished&& finished, ICompletionShell& shell,
                         ISystemPower& power)
{
    if (settings.Action < 0 || settings.Action >= kCompletionActionCount || !finished())
        return;
    if (settings.ShowWarning && !shell.ConfirmCompletion(settings.WarningSeconds))
        return;
    if (finished())
        PerformCompletionAction(settings, shell, power);
}
