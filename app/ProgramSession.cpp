#include "app/ProgramSession.h"

#include "config/Options.h"
#include "hosts/ManagerHost.h"
#include "hosts/TrafficUsage.h"
#include "records/HistoryManager.h"
#include "records/RecycleBinManager.h"
#include "records/SchedulerManager.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskListFile.h"
#include "transfer/Proxies.h"
#include "transfer/UserAgents.h"

#include <algorithm>

void TProgramSession::TAddingToTasks::AddFileList(const std::vector<std::string>& sources,
                                                  const std::vector<std::string>& folders, bool silent)
{
    if (Tasks)
        Tasks->AddFileList(sources, folders, silent);
}

TProgramSession::TProgramSession(const TDataFiles& files, const TProgramPorts& ports) : Files_(files)
{
    UserAgents_ = std::make_unique<TUserAgentCollection>(ports.Boxes);
    UserAgents_->LoadFromFile(Files_.UserAgents);
    Proxies_ = std::make_unique<TProxyCollection>(ports.Boxes);
    Proxies_->LoadFromFile(Files_.Proxies);
    ConnectionTypes_ = std::make_unique<TTrafficUsageCollection>(ports.Boxes);
    ConnectionTypes_->LoadFromFile(Files_.Connections);

    HostEnvironment_ = std::make_unique<THostEnvironment>(
        THostEnvironment{ports.Boxes, ports.Dialogs, ports.HostDialogs, ports.Desktop, *ConnectionTypes_});
    RecordEnvironment_ = std::make_unique<TRecordEnvironment>(TRecordEnvironment{
        ports.Boxes, ports.Clock, ports.Shell, ports.Dialogs, ports.RecordDialogs, ports.Desktop, Adding_});
    History_ = std::make_unique<THistoryManager>(*RecordEnvironment_, Files_.History);
    Hosts_ = std::make_unique<TManagerHost>(*HostEnvironment_, Files_.Hosts);
    Scheduler_ = std::make_unique<TSchedulerManager>(*RecordEnvironment_, Files_.Scheduler);
    // Deleted tasks go to the recycle bin from the task list's first moment on.
    RecycleBin_ = std::make_unique<TRecycleBinManager>(*RecordEnvironment_, Files_.RecycleBin);

    TaskEnvironment_ = std::make_unique<TTaskEnvironment>(TTaskEnvironment{ports.MainThread, ports.Clock, ports.Shell,
                                                                           ports.Dialogs, ports.Desktop, ports.Boxes,
                                                                           *Hosts_, *History_, *RecycleBin_});
    TaskEnvironment_->UserAgents = UserAgents_.get();
    TaskEnvironment_->Proxies = Proxies_.get();
    Tasks_ = std::make_unique<TManagerTask>(*TaskEnvironment_, Files_.TaskList);
    ApplyListOptions();
    Tasks_->DefaultTypeStart = TTaskStart(Options().DefaultTaskStart);
    ListFile_ = std::make_unique<TTaskListFile>(*Tasks_, Files_.TaskList);
    Adding_.Tasks = Tasks_.get();
}

void TProgramSession::ApplyListOptions()
{
    const TOptions& options = Options();
    Tasks_->SetAutoSave(options.ListAutoSave);
    Tasks_->SetAutoSavePeriod(options.ListAutoSavePeriod);
    Tasks_->MaxActiveTasks = std::max(1, options.ListMaxActiveTask);
    Tasks_->DeleteCompletedTasks = options.ListDeleteTaskAfterComplete;
}

TProgramSession::~TProgramSession()
{
    Close();
}

void TProgramSession::Close()
{
    if (Closed_)
        return;
    Closed_ = true;
    Hosts_->SaveToFile({});
    Options().DefaultTaskStart = Tasks_->DefaultTypeStart;
    ListFile_->Save();
    // Stopping the downloads may still record copies, close connections of the hosts and
    // save the list once more: everything it reaches lives until it is gone.
    Adding_.Tasks = nullptr;
    ListFile_.reset();
    Tasks_.reset();
    History_->SaveToFile({});
    RecycleBin_->SaveToFile({});
    Scheduler_->SaveToFile({});
    UserAgents_->SaveToFile(Files_.UserAgents);
    ConnectionTypes_->SaveToFile(Files_.Connections);
    Proxies_->SaveToFile(Files_.Proxies);
}
