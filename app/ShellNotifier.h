#pragma once

#include "config/Options.h"
#include "tasks/TaskPorts.h"

#include <string>

enum class TBalloonKind { Information, Error };

// How long a tray balloon stays up.
inline constexpr int kBalloonTimeoutMs = 10000;

// The desktop as the notifications reach it: the tray icon, its balloons and animation,
// sounds, the window. The main window implements it; tests record the calls.
class IShellOutput {
public:
    virtual ~IShellOutput() = default;
    virtual void ShowBalloon(const std::string& title, const std::string& text, TBalloonKind kind) = 0;
    // Plays the file without waiting for it to end.
    virtual void PlaySoundFile(const std::string& path) = 0;
    // Cycles the tray images from the first one.
    virtual void StartTrayAnimation() = 0;
    // Stops cycling and shows the first tray image.
    virtual void StopTrayAnimation() = 0;
    virtual bool TrayAnimating() const = 0;
    // Whether one of the program's windows is the active one.
    virtual bool ApplicationActive() const = 0;
    // Shows the window (from the tray too), puts the downloads page in front and brings
    // the program to the foreground.
    virtual void ShowTaskPage() = 0;
    // What the user chose to happen once every download has ended (shut down, close ...).
    virtual void RunCompletionAction() = 0;
};

// The shell hooks of the task subsystem turned into balloons, sounds and the tray
// animation, as the options say. Main thread only.
class TShellNotifier : public ITaskShell {
public:
    explicit TShellNotifier(IShellOutput& output) : Output_(output) {}

    void NotifyTaskStarted(const std::string& name) override;
    void NotifyTaskCompleted(const std::string& name) override;
    void NotifyTaskPausedAfterError(const std::string& name) override;
    void NotifyTaskError(const std::string& name) override;
    void NotifyTaskStopped() override;
    // The balloon and the sound, then, when the program is to finish after the last
    // download, the shut-down sound and the completion action.
    void NotifyAllCompleted() override;
    void PlaySoundTaskDeleted() override;
    void ShowTaskPage() override { Output_.ShowTaskPage(); }
    void PlaySoundTaskAdded() override;

    // The window was created: the start sound, the still tray icon.
    void ProgramStarted();
    // The window is being destroyed: the exit sound; from here on the task hooks are
    // silent, since the tasks that end while the list is freed are no news to anyone.
    void ProgramExiting();
    bool ShellClosing() const { return ShellClosing_; }

private:
    // The balloon when its option is on and the user is not looking at the program
    // already (unless balloons are wanted always).
    void Balloon(bool option, const char* titleId, const std::string& text, TBalloonKind kind);
    // The event's sound when sounds are on and the event's own flag is.
    void Sound(bool TOptions::*flag);

    IShellOutput& Output_;
    bool ShellClosing_ = false;
};
