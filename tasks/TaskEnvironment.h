#pragma once

#include "core/Clock.h"
#include "core/MainThread.h"
#include "core/MessageBoxPort.h"
#include "tasks/TaskPorts.h"

class TUserAgentCollection;
class TProxyCollection;

// Everything outside the task list that the task manager, its tasks and their workers
// reach. The main window passes the real ones; tests pass fakes.
struct TTaskEnvironment {
    TMainThread& MainThread;
    IClock& Clock;
    ITaskShell& Shell;
    ITaskDialogs& Dialogs;
    IDesktop& Desktop;
    IMessageBoxPort& Boxes;
    ITaskHosts& Hosts;
    ITaskHistory& History;
    ITaskRecycleBin& RecycleBin;
    // The program's agent strings and proxies; without them tasks introduce themselves
    // with the program's own agent string and follow the system's proxy settings.
    const TUserAgentCollection* UserAgents = nullptr;
    const TProxyCollection* Proxies = nullptr;
};
