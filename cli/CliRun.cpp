#include "cli/CliRun.h"

#include "cli/CliReport.h"
#include "cli/ConsolePorts.h"
#include "config/Language.h"
#include "config/Options.h"
#include "config/OptionsFile.h"
#include "core/AppFolders.h"
#include "core/Clock.h"
#include "core/Links.h"
#include "core/MainThread.h"
#include "core/XMLStorage.h"
#include "hosts/ManagerHost.h"
#include "hosts/TrafficUsage.h"
#include "records/HistoryManager.h"
#include "records/RecycleBinManager.h"
#include "tasks/ManagerTask.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <unordered_map>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using TSteadyClock = std::chrono::steady_clock;

constexpr auto kTickPeriod = 500ms;
constexpr auto kProgressPeriod = 1s;
// The longest sleep before the loop looks for a stop signal again.
constexpr auto kSignalPollPeriod = 100ms;
// How often a busy loop looks for one: not at each of the hand-overs of a list of small files.
constexpr auto kSignalCheckPeriod = 10ms;
constexpr uint32_t kListSaveInterval = 5000;  // milliseconds

// SIGINT and SIGTERM stay blocked in every thread (workers inherit the mask), so no copy
// call is ever cut short by them; the loop collects them instead.
class TStopSignals {
public:
    // Before any thread exists.
    TStopSignals()
    {
        sigemptyset(&Set_);
        sigaddset(&Set_, SIGINT);
        sigaddset(&Set_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &Set_, nullptr);
    }

    // True once a stop signal came. A second one then ends the program at once, should
    // stopping the workers hang on a dead server.
    bool Received()
    {
        if (Received_)
            return true;
        const timespec noWait{};
        if (sigtimedwait(&Set_, nullptr, &noWait) < 0)
            return false;
        Received_ = true;
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &Set_, nullptr);
        return true;
    }

private:
    sigset_t Set_;
    bool Received_ = false;
};

// The factory connection types: the default priority of new tasks on no host. The run
// never changes them, so they are not saved.
TTrafficUsageCollection& LoadConnectionTypes(TTrafficUsageCollection& types)
{
    types.LoadFromFile(DefaultsFolder() + "connections.xml");
    return types;
}

// The task environment of a terminal. The hosts and the records outlive the task manager,
// whose workers close their connections and record their copies when they end.
struct TConsoleEnvironment {
    TConsoleEnvironment(TExistingFileDecision existingFileDecision, const std::string& hostsFile, const std::string& historyFile)
        : Dialogs(existingFileDecision), Hosts(HostEnvironment, hostsFile), History(RecordEnvironment, historyFile)
    {
    }

    TMainThread MainThread;
    TSystemClock Clock;
    TConsoleShell Shell;
    TConsoleDialogs Dialogs;
    TConsoleDesktop Desktop;
    TConsoleBoxes Boxes;
    TConsoleHostDialogs HostDialogs;
    TTrafficUsageCollection ConnectionTypes{Boxes};
    THostEnvironment HostEnvironment{Boxes, Dialogs, HostDialogs, Desktop, LoadConnectionTypes(ConnectionTypes)};
    TManagerHost Hosts;
    TConsoleRecordDialogs RecordDialogs;
    TConsoleTaskAdding Adding;
    TRecordEnvironment RecordEnvironment{Boxes, Clock, Shell, Dialogs, RecordDialogs, Desktop, Adding};
    THistoryManager History;
    // Never saved: the run deletes no task.
    TRecycleBinManager RecycleBin{RecordEnvironment, {}};
    TTaskEnvironment Environment{MainThread, Clock, Shell, Dialogs, Desktop, Boxes, Hosts, History, RecycleBin};
};

// Reads the options file into Options(); false, with a message, when it cannot.
bool LoadOptionsFile(const std::string& fileName, IMessageBoxPort& boxes)
{
    if (fileName.empty())
        return true;
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        PrintMessage("--options: no such file: " + fileName);
        return false;
    }
    TXMLStorage store(fileName, boxes);
    // The file is the user's to mend: one that does not parse stays where it is.
    store.Open(TBrokenFile::Leave);
    if (!store.HasRoot()) {
        PrintMessage("--options: cannot read " + fileName);
        return false;
    }
    ReadOptions(store, Options());
    return true;
}

void ApplyArguments(const TCliArguments& a, TOptions& o)
{
    if (a.MaxActive)
        o.ListMaxActiveTask = *a.MaxActive;
    if (a.Retries)
        o.TaskMaxRetries = *a.Retries;
    if (a.RetryPause)
        o.TaskRetriesPause = *a.RetryPause;
    if (a.MaxPerHost) {
        const bool limit = *a.MaxPerHost > 0;
        const int most = limit ? *a.MaxPerHost : 1;
        o.bLimitConnectionNetbiosDef = o.bLimitConnectionFTPDef = o.bLimitConnectionHTTPDef = limit;
        o.iMaxConnectionNetbiosDef = o.iMaxConnectionFTPDef = o.iMaxConnectionHTTPDef = most;
    }
    o.bUsePassiveFTP = a.PassiveFtp;
    // The servers' replies after each step are there to be read in a task's log, and only a
    // list file keeps the logs; failures and their replies are logged either way.
    if (a.ListFile.empty())
        o.bDetailedInfo = false;
    // Nobody can be asked here: renaming never loses data.
    const TExistingFileDecision stored = o.AlraedyInDiskWhatToDo;
    o.AlraedyInDiskWhatToDo = a.OnExists.value_or(stored >= efRename && stored <= efStop ? stored : efRename);
}

// Why the local paths cannot be copied from or into, or empty. Share paths and links are
// left to their tasks, whose logs tell what went wrong.
std::string LocalPathProblem(const TCliArguments& a)
{
    namespace fs = std::filesystem;
    std::error_code error;
    for (const std::string& source : a.Sources) {
        if (!IsLocalPath(source))
            continue;
        // Each source is asked once: a list of thousands of small files pays for every call.
        struct stat found {};
        if (::stat(source.c_str(), &found) != 0)
            return "SOURCE: no such file: " + source;
        if (S_ISDIR(found.st_mode))
            return "SOURCE: a folder, not a file: " + source;
        // Run in the source's own folder, the default destination, it would only copy itself.
        const std::string name = a.Name.empty() ? ExtractName(source) : a.Name;
        const std::string copy = IncludeTrailingDelimiter(a.Destination) + name;
        struct stat existing {};
        if (::stat(copy.c_str(), &existing) == 0 && existing.st_dev == found.st_dev && existing.st_ino == found.st_ino)
            return "SOURCE is its own copy: " + source + " (choose another --dest)";
    }
    if (IsLocalPath(a.Destination)) {
        const fs::file_status status = fs::status(a.Destination, error);
        if (fs::exists(status) && !fs::is_directory(status))
            return "--dest: not a folder: " + a.Destination;
        // Found out now rather than after every retry has failed.
        if (!fs::exists(status) && !fs::create_directories(a.Destination, error) && error)
            return "--dest: cannot create " + a.Destination + ": " + error.message();
        if (::access(a.Destination.c_str(), W_OK | X_OK) != 0)
            return "--dest: cannot write into " + a.Destination + ": " + std::strerror(errno);
    }
    return {};
}

// The unfinished tasks by what they copy where, so that each SOURCE is looked up at once
// rather than by a walk through a list of thousands.
class TUnfinishedTasks {
public:
    explicit TUnfinishedTasks(TManagerTask& manager)
    {
        for (int i = 0; i < manager.Tasks().Count(); ++i)
            if (!manager.Tasks()[i].Completed())
                Add(manager.Tasks()[i]);
    }
    // The first such task in the list, or null.
    TTaskItem* Find(const std::string& source, const std::string& destination) const
    {
        const auto found = Tasks_.find(Key(source, destination));
        return found == Tasks_.end() ? nullptr : found->second;
    }
    void Add(TTaskItem& task) { Tasks_.emplace(Key(task.Source, task.Destination), &task); }

private:
    static std::string Key(const std::string& source, const std::string& destination)
    {
        return source + '\n' + ExcludeTrailingDelimiter(destination);
    }

    std::unordered_map<std::string, TTaskItem*> Tasks_;
};

void AppendTasks(TManagerTask& manager, const TCliArguments& a)
{
    TUnfinishedTasks unfinished(manager);
    // Without a list every SOURCE is a new task at the end of it: the first ones start while
    // the others are added, as they would at the first tick.
    const int startEarly = a.ListFile.empty() ? manager.MaxActiveTasks : 0;
    int added = 0;
    for (const std::string& source : a.Sources) {
        // A SOURCE still in the list, from an interrupted run say, goes on there rather
        // than being copied a second time beside it.
        if (TTaskItem* listed = unfinished.Find(source, a.Destination)) {
            listed->Enqueue();
            if (!a.Quiet)
                PrintMessage(source + " is in the list already and goes on there");
            continue;
        }
        TTaskProp prop;
        prop.Source = source;
        prop.Destination = a.Destination;
        // The hosts' logins serve where the command line names none.
        manager.FillDefaults(prop);
        prop.Name = a.Name;
        if (!a.SourceUser.empty()) {
            prop.LoginToSource = true;
            prop.UserLoginToSource = a.SourceUser;
            prop.UserPasswordToSource = a.SourcePassword;
        }
        if (!a.DestUser.empty()) {
            prop.LoginToDestination = true;
            prop.UserLoginToDestination = a.DestUser;
            prop.UserPasswordToDestination = a.DestPassword;
        }
        // No duplicate is refused or renamed here: a destination file that exists is
        // resolved by --on-exists when the copy starts.
        unfinished.Add(manager.AddTaskFromProps(prop));
        if (++added == startEarly)
            manager.Tick();
    }
}

bool AllEnded(TManagerTask& manager)
{
    if (manager.RunningWorkers().Value() != 0)
        return false;
    for (int i = 0; i < manager.Tasks().Count(); ++i)
        if (!TaskEnded(manager.Tasks()[i]))
            return false;
    return true;
}

void PrintProgress(TManagerTask& manager)
{
    // One write for all lines: the error stream writes every piece at once.
    std::string lines;
    for (int i = 0; i < manager.Tasks().Count(); ++i)
        if (TaskActive(manager.Tasks()[i]))
            lines += ProgressLine(manager.Tasks()[i]) + '\n';
    std::cerr << lines << std::flush;
}

// Ticks the queue and serves the workers until every task has ended; false when a stop
// signal came first. Besides every period, a tick runs as soon as the manager asks for one
// (a worker ended, so the next task starts without waiting for the period).
bool RunUntilEnded(TManagerTask& manager, TMainThread& mainThread, TStopSignals& signals, bool quiet)
{
    // While this thread waits, a worker's thread that has ended its task serves the end steps
    // and starts the next task itself: neither thread sleeps for a small file.
    mainThread.EnableStandIns([&] {
        if (manager.TickRequested())
            manager.Tick();
        if (manager.RunningWorkers().Value() == 0)
            mainThread.Wake();
    });
    struct TStandInsEnd {
        TMainThread& MainThread;
        ~TStandInsEnd() { MainThread.DisableStandIns(); }
    } standInsEnd{mainThread};
    auto nextTick = TSteadyClock::now();
    auto nextProgress = nextTick + kProgressPeriod;
    auto nextSignalCheck = nextTick;
    for (;;) {
        const auto now = TSteadyClock::now();
        if (now >= nextSignalCheck) {
            if (signals.Received())
                return false;
            nextSignalCheck = now + kSignalCheckPeriod;
        }
        if (now >= nextTick) {
            manager.Tick();
            manager.PollAutoSave();
            nextTick = now + kTickPeriod;
        } else if (manager.TickRequested()) {
            manager.Tick();
        }
        // Checked between ticks as well, so the run ends as soon as the last worker has.
        if (AllEnded(manager))
            return true;
        if (!quiet && now >= nextProgress) {
            PrintProgress(manager);
            nextProgress = now + kProgressPeriod;
        }
        const auto untilTick = std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - now);
        const auto wait = manager.TickRequested() ? 0ms : untilTick;
        mainThread.WaitAndServe(std::clamp<std::chrono::milliseconds>(wait, 0ms, kSignalPollPeriod));
    }
}

} // namespace

int RunCli(const TCliArguments& a)
{
    TStopSignals signals;
    // A closed stderr must not end the run before the list is saved.
    std::signal(SIGPIPE, SIG_IGN);

    TConsoleBoxes boxes;
    Options() = TOptions{};
    if (!LoadOptionsFile(a.OptionsFile, boxes))
        return ceUsage;
    // The log lines in the language of the options (DefaultLang).
    TLangChanger language;
    LoadLanguage(language);
    ApplyArguments(a, Options());
    if (const std::string problem = LocalPathProblem(a); !problem.empty()) {
        PrintMessage(problem);
        return ceUsage;
    }

    TConsoleEnvironment console(Options().AlraedyInDiskWhatToDo, a.HostsFile, a.HistoryFile);
    TManagerTask manager(console.Environment, a.ListFile);
    // Completed tasks stay until their final lines are printed.
    manager.DeleteCompletedTasks = false;
    manager.MaxActiveTasks = std::max(1, Options().ListMaxActiveTask);
    if (!a.ListFile.empty()) {
        manager.SetAutoSave(true);
        manager.SetAutoSaveInterval(kListSaveInterval);
    }
    console.Adding.Target = &manager;
    AppendTasks(manager, a);

    const bool interrupted = !RunUntilEnded(manager, console.MainThread, signals, a.Quiet);
    if (interrupted) {
        // The copies keep what they have; the list says where each one stands.
        for (int i = 0; i < manager.Tasks().Count(); ++i)
            manager.Tasks()[i].StopTransfer();
    }

    bool failed = interrupted;
    std::string lines;
    for (int i = 0; i < manager.Tasks().Count(); ++i) {
        const TTaskItem& task = manager.Tasks()[i];
        failed = failed || TaskFailed(task);
        lines += FinalLine(task) + '\n';
    }
    std::cerr << lines << std::flush;

    if (!a.ListFile.empty()) {
        if (Options().ListDeleteTaskAfterComplete)
            manager.RemoveCompleted();
        manager.SetAutoSave(false);
        // A list that could not be saved loses the state of the run.
        failed = !manager.SaveToFile({}) || failed;
    }
    // Written like the list: a file that cannot be written is a failure of the run.
    if (!a.HostsFile.empty())
        failed = !console.Hosts.SaveToFile({}) || failed;
    if (!a.HistoryFile.empty())
        failed = !console.History.SaveToFile({}) || failed;
    return failed ? ceFailed : ceCompleted;
}
