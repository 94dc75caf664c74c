#pragma once

#include <string>

// The full paths of the program's data files in the user's data folder, fixed once at start
// before anything is read; a file missing there is first seeded from the factory copy.
struct TDataFiles {
    std::string TaskList;  // "default.qtl", the list opened at start
    std::string History;
    std::string Hosts;
    std::string RecycleBin;
    std::string Scheduler;
    std::string Proxies;
    std::string UserAgents;
    std::string Connections;
    std::string Schemas;
    std::string Options;
};

TDataFiles LocateDataFiles();
