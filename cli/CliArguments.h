#pragma once

#include "config/ExistingFileDecision.h"

#include <optional>
#include <string>
#include <vector>

// What the command line asks for. Paths are absolute (or share paths and links) once parsed.
struct TCliArguments {
    std::vector<std::string> Sources;
    std::string Destination;
    std::string Name;                 // the copy's file name; empty keeps the source's
    std::string SourceUser;
    std::string SourcePassword;
    std::string DestUser;
    std::string DestPassword;
    std::string ListFile;             // empty: the tasks live only as long as the run
    std::string OptionsFile;          // empty: the factory defaults
    std::string HostsFile;            // empty: the hosts live only as long as the run
    std::string HistoryFile;          // empty: the completed copies are not recorded
    // Left empty, the values come from the options file.
    std::optional<int> MaxActive;
    std::optional<TExistingFileDecision> OnExists;  // any decision but efAsk
    std::optional<int> Retries;
    std::optional<int> RetryPause;    // seconds
    std::optional<int> MaxPerHost;    // transfers at once on a server no host file names; 0: no limit;
                                      // given -j alone, it follows MaxActive
    // Passive FTP unless the command line asks for active mode: the server then connects
    // back, which firewalls and NAT routers mostly refuse.
    bool PassiveFtp = true;
    bool Quiet = false;
    bool Help = false;
};

struct TCliParseResult {
    TCliArguments Arguments;
    std::string Error;                // empty when the command line is good
};

// Parses the arguments that follow the program name. Relative paths are taken from
// workingFolder, an absolute path.
TCliParseResult ParseCliArguments(const std::vector<std::string>& args, const std::string& workingFolder);

// The text of --help.
std::string CliUsage();
