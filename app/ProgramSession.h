#pragma once

#include "app/DataFiles.h"
#include "core/Clock.h"
#include "core/MainThread.h"
#include "core/MessageBoxPort.h"
#include "hosts/HostDialogs.h"
#include "records/RecordPorts.h"
#include "tasks/TaskPorts.h"

#include <functional>
#include <memory>

class TUserAgentCollection;
class TProxyCollection;
class TTrafficUsageCollection;
class THistoryManager;
class TManagerHost;
class TSchedulerManager;
class TManagerTask;
class TRecycleBinManager;
class TTaskListFile;
struct TTaskEnvironment;
struct THostEnvironment;
struct TRecordEnvironment;

// What the program's lists reach outside themselves; the main window serves them.
struct TProgramPorts {
    TMainThread& MainThread;
    IClock& Clock;
    ITaskShell& Shell;
    ITaskDialogs& Dialogs;
    IDesktop& Desktop;
    IMessageBoxPort& Boxes;
    IHostDialogs& HostDialogs;
    IRecordDialogs& RecordDialogs;
};

// The program's lists from start to exit: the user agents, proxies and connection types,
// the history, hosts, scheduler, task list and recycle bin, each loaded from its data file
// when the session is made and saved to it when the session closes. A file that cannot be
// read or written is reported by the XML layer and the next one goes on.
class TProgramSession {
public:
    TProgramSession(const TDataFiles& files, const TProgramPorts& ports);
    // Closes the session unless Close ran.
    ~TProgramSession();
    TProgramSession(const TProgramSession&) = delete;
    TProgramSession& operator=(const TProgramSession&) = delete;

    // Saves the hosts, the task list (stopping its downloads), the history, the recycle bin,
    // the scheduler, the user agents, the connection types and the proxies, in that order,
    // and lets them go. The window reads its columns back into the options before; the
    // options file is written after, so that everything stored here reaches it.
    void Close();
    // Hands the list options to the task list: the number of downloads at once, the
    // automatic saving and the removal of completed tasks (at start, and after the options
    // dialog).
    void ApplyListOptions();

    TUserAgentCollection& UserAgents() { return *UserAgents_; }
    TProxyCollection& Proxies() { return *Proxies_; }
    TTrafficUsageCollection& ConnectionTypes() { return *ConnectionTypes_; }
    THistoryManager& History() { return *History_; }
    TManagerHost& Hosts() { return *Hosts_; }
    TSchedulerManager& Scheduler() { return *Scheduler_; }
    TManagerTask& Tasks() { return *Tasks_; }
    // The list commands; the end of the session saves the remembered list file.
    TTaskListFile& ListFile() { return *ListFile_; }
    TRecycleBinManager& RecycleBin() { return *RecycleBin_; }

private:
    // The history and the recycle bin restart tasks through the task list, which is made
    // after them.
    class TAddingToTasks : public ITaskAdding {
    public:
        void AddFileList(const std::vector<std::string>& sources, const std::vector<std::string>& folders,
                         bool silent) override;
        TManagerTask* Tasks = nullptr;
    };

    TDataFiles Files_;
    TAddingToTasks Adding_;
    std::unique_ptr<TUserAgentCollection> UserAgents_;
    std::unique_ptr<TProxyCollection> Proxies_;
    std::unique_ptr<TTrafficUsageCollection> ConnectionTypes_;
    std::unique_ptr<THostEnvironment> HostEnvironment_;
    std::unique_ptr<TRecordEnvironment> RecordEnvironment_;
    std::unique_ptr<THistoryManager> History_;
    std::unique_ptr<TManagerHost> Hosts_;
    std::unique_ptr<TSchedulerManager> Scheduler_;
    std::unique_ptr<TRecycleBinManager> RecycleBin_;
    std::unique_ptr<TTaskEnvironment> TaskEnvironment_;
    std::unique_ptr<TManagerTask> Tasks_;
    std::unique_ptr<TTaskListFile> ListFile_;
    bool Closed_ = false;
};
