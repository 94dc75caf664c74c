#include "app/DataFiles.h"

#include "core/AppFolders.h"

TDataFiles LocateDataFiles()
{
    TDataFiles files;
    files.TaskList = DataFilePath("default.qtl");
    files.History = DataFilePath("history.xml");
    files.Hosts = DataFilePath("hosts.xml");
    files.RecycleBin = DataFilePath("recyclebin.xml");
    files.Scheduler = DataFilePath("scheduler.xml");
    files.Proxies = DataFilePath("proxies.xml");
    files.UserAgents = DataFilePath("user-agents.xml");
    files.Connections = DataFilePath("connections.xml");
    files.Schemas = DataFilePath("schemas.xml");
    files.Options = DataFilePath("options.xml");
    return files;
}
