#pragma once

#include "core/Clock.h"
#include "core/MainThread.h"
#include "core/MessageBoxPort.h"
#include "tasks/DuplicateDialogModel.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskDialogModel.h"
#include "tasks/TaskEnvironment.h"
#include "tasks/TaskStandIns.h"

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A clock moved by hand. The tick count starts at an arbitrary non-zero value.
class TManualClock : public IClock {
public:
    uint32_t TickCount() override { return Tick; }
    TDateTime Now() override { return Date; }
    // Moves both the tick count and the date-time.
    void Advance(uint32_t milliseconds)
    {
        Tick += milliseconds;
        Date.Value += milliseconds / kMillisecondsPerDay;
    }

    uint32_t Tick = 1000;
    TDateTime Date{46000.5};
};

// Records the shell notifications as "Event" or "Event:name".
class TRecordingShell : public ITaskShell {
public:
    void NotifyTaskStarted(const std::string& name) override { Record("Started:" + name); }
    void NotifyTaskCompleted(const std::string& name) override { Record("Completed:" + name); }
    void NotifyTaskPausedAfterError(const std::string& name) override { Record("PausedAfterError:" + name); }
    void NotifyTaskError(const std::string& name) override { Record("Error:" + name); }
    void NotifyTaskStopped() override { Record("Stopped"); }
    void NotifyAllCompleted() override { Record("AllCompleted"); }
    void PlaySoundTaskDeleted() override { Record("SoundDeleted"); }
    void ShowTaskPage() override { Record("ShowTaskPage"); }
    void PlaySoundTaskAdded() override { Record("SoundAdded"); }

    int Count(const std::string& call) const;
    std::vector<std::string> Calls;
    // Runs after each call is recorded, as a front end's own code would.
    std::function<void(const std::string&)> OnCall;

private:
    void Record(const std::string& call);
};

// Answers the questions from scripts filled by the test; a question without an answer
// left fails the test. Every question asked is recorded as "Kind:text".
class TScriptedDialogs : public ITaskDialogs {
public:
    TModalResult MessageBox(const std::string& text, TMessageKind kind, unsigned buttons) override;
    TModalResult ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind, unsigned buttons,
                                         bool& checked) override;
    bool AskExistingFile(TExistingFileDecision& decision, std::string& name, bool& remember) override;
    TIncompleteTaskAnswer AskIncompleteTask(const TTaskItem& task) override;
    bool AskPauseMinutes(int& minutes) override;
    bool AskMaxActiveTasks(int& limit) override;
    // Recorded as "TaskDialog:source>destination" as the dialog shows them.
    bool ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault) override;
    // Recorded as "Duplicate:" + the proposed path.
    bool AskDuplicate(std::string& destination, std::string& name) override;
    bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) override;

    struct TExistingFileAnswer {
        bool Confirmed = true;
        TExistingFileDecision Decision = efRename;
        std::string Name{};  // empty keeps the proposal
        bool Remember = false;
    };
    struct TCheckAnswer {
        TModalResult Result = TModalResult::OK;
        bool Checked = false;
    };
    std::deque<TModalResult> MessageBoxAnswers;
    std::deque<TCheckAnswer> CheckBoxAnswers;
    std::deque<TExistingFileAnswer> ExistingFileAnswers;
    std::deque<TIncompleteTaskAnswer> IncompleteTaskAnswers;
    std::deque<std::pair<bool, int>> PauseAnswers;  // (OK, minutes)
    // The user's changes in the task dialog before OK; no answer confirmed: Cancel.
    struct TTaskDialogAnswer {
        bool Confirmed = true;
        std::function<void(TTaskDialogModel&)> Edit{};
    };
    std::deque<TTaskDialogAnswer> TaskDialogAnswers;
    // The duplicate dialog: OK after Edit, Cancel, or no answer until its time ran out.
    struct TDuplicateAnswer {
        enum { OK, Cancel, Timeout } Kind = OK;
        std::function<void(TDuplicateDialogModel&)> Edit{};
    };
    std::deque<TDuplicateAnswer> DuplicateAnswers;
    std::deque<std::pair<bool, std::string>> InputAnswers;  // (OK, text)
    int CountdownTicks = 0;                                 // seconds the timed dialogs counted down
    std::vector<std::string> Asked;
    // Runs while each question is open, given its record: a modal dialog runs the front
    // end's loop, and with it the tick.
    std::function<void(const std::string&)> WhileAsking;
    std::vector<std::string> ProposedNames;  // names AskExistingFile was given
    std::vector<int> ProposedMinutes;
    std::deque<std::pair<bool, int>> MaxActiveAnswers;  // (OK, limit)
    std::vector<int> ProposedMaxActive;

private:
    void Ask(const std::string& question);
};

class TRecordingDesktop : public IDesktop {
public:
    void OpenInBackground(const std::string& path) override { Opened.push_back(path); }
    void ShellOpen(const std::string& path) override { ShellOpened.push_back(path); }
    void SetClipboardText(const std::string& text) override { Clipboard = text; }
    std::string ClipboardText() override { return Clipboard; }
    void Beep(TBeepKind kind) override { Beeps.push_back(kind); }
    void OpenWithDefaultHandler(const std::string& target) override { Launch({{}, {target}}); }
    void StartProgram(const std::string& program, const std::vector<std::string>& arguments) override
    {
        Launch({program, arguments});
    }

    std::vector<std::string> Opened;
    std::vector<std::string> ShellOpened;
    std::string Clipboard;
    std::vector<TBeepKind> Beeps;

    // A program started, or with an empty Program the target opened by the default handler.
    struct TLaunch {
        std::string Program;
        std::vector<std::string> Arguments;
        friend bool operator==(const TLaunch&, const TLaunch&) = default;
    };
    // The launches so far; they may come from opening threads.
    std::vector<TLaunch> Launches() const;

private:
    void Launch(const TLaunch& launch);
    mutable std::mutex LaunchLock_;
    std::vector<TLaunch> Launches_;
};

class TRecordingBoxes : public IMessageBoxPort {
public:
    void ShowErrorBox(const std::string& caption, const std::string& text) override
    {
        Shown.push_back(caption + ": " + text);
    }
    std::vector<std::string> Shown;
};

// Hosts with one connection limit for every link (0: none), counting open connections.
class TCountingHosts : public ITaskHosts {
public:
    bool CanConnect(const std::string& link) override;
    void ConnectionOpened(const std::string& link) override { ++Open[link]; }
    void ConnectionClosed(const std::string& link) override { --Open[link]; }
    void EnsureTaskHost(TTaskItem&, bool) override { ++Ensured; }
    TTrafficPriority DefaultPriority() const override { return Default; }
    void SetDefaultPriority(TTrafficPriority priority) override { Default = priority; }
    // The host of the first prefix of HostDefaults that begins path; else the default
    // priority and no login.
    void GetHostDefaults(std::string_view path, bool allowGlobal, THostDefaults& defaults) const override;

    int Limit = 0;
    std::map<std::string, int> Open;
    int Ensured = 0;
    TTrafficPriority Default = tpLowestPriority;
    std::map<std::string, THostDefaults> HostDefaults;
};

// Passes every host call on to Target: the counting hosts of the bed, or a real host
// manager that a test builds on the bed's ports.
class TRoutedHosts : public ITaskHosts {
public:
    explicit TRoutedHosts(ITaskHosts& target) : Target(&target) {}
    bool CanConnect(const std::string& link) override { return Target->CanConnect(link); }
    void ConnectionOpened(const std::string& link) override { Target->ConnectionOpened(link); }
    void ConnectionClosed(const std::string& link) override { Target->ConnectionClosed(link); }
    void EnsureTaskHost(TTaskItem& task, bool temporary) override { Target->EnsureTaskHost(task, temporary); }
    TTrafficPriority DefaultPriority() const override { return Target->DefaultPriority(); }
    void SetDefaultPriority(TTrafficPriority priority) override { Target->SetDefaultPriority(priority); }
    void GetHostDefaults(std::string_view path, bool allowGlobal, THostDefaults& defaults) const override
    {
        Target->GetHostDefaults(path, allowGlobal, defaults);
    }

    ITaskHosts* Target;
};

// The clock of a task bed: the manual one the test moves, or the system's.
enum class TBedClock { Manual, Real };

// Everything a task manager needs, faked, plus the manager itself on a list file in
// a folder of the test's choice. Options() is reset to its defaults on construction.
class TTaskBed {
public:
    // Workers that copy real files need time to pass by itself: the real clock.
    explicit TTaskBed(TBedClock clock = TBedClock::Manual);
    ~TTaskBed();

    // Creates the manager over fileName (empty: no file).
    TManagerTask& OpenManager(const std::string& fileName = {});
    TManagerTask& Manager() { return *Manager_; }
    void CloseManager() { Manager_.reset(); }

    // A task at the end of the list with its row.
    TTaskItem& AddTask(const std::string& source, const std::string& destination, TTaskState state = stateWait);
    // Serves the workers' main-thread steps until done() holds or timeout passes; false on timeout.
    bool ServeUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(60));
    // Serves like a front end's loop: the workers' steps, and a tick whenever the manager asks
    // for one (never the periodic tick: the clock is the test's).
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(60));
    // Serves until the task has no running worker any more and its end handler ran.
    bool WaitForWorker(TTaskItem& task, std::chrono::milliseconds timeout = std::chrono::seconds(60));
    // The codes and texts of a task's log as "code text" lines.
    static std::vector<std::string> LogLines(const TTaskItem& task);
    static bool LogHas(const TTaskItem& task, const std::string& text);
    // Whether an entry of that code holds text.
    static bool LogHasEntry(const TTaskItem& task, int code, const std::string& text);
    // Starts the task and serves its worker to the end; false on timeout.
    bool RunOnce(TTaskItem& task);

    TMainThread MainThread;
    TManualClock Clock;
    TSystemClock SystemClock;
    TRecordingShell Shell;
    TScriptedDialogs Dialogs;
    TRecordingDesktop Desktop;
    TRecordingBoxes Boxes;
    TCountingHosts Hosts;
    // Hosts until UseHosts names others.
    TRoutedHosts RoutedHosts{Hosts};
    TRecordedTasks Records;
    TTaskEnvironment Environment;

    // The environment's host calls go to hosts from now on; set before the manager opens.
    void UseHosts(ITaskHosts& hosts) { RoutedHosts.Target = &hosts; }

private:
    std::unique_ptr<TManagerTask> Manager_;
};
