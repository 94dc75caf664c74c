#pragma once

#include <string>

// The folders the program works with, each ending in "/".
struct TAppFolders {
    std::string ProgramFolder;  // folder of the executable
    std::string
        ResourceFolder;  // holds Default/ and Languages/: ProgramFolder, or <prefix>/share/quorvex/ once installed
    std::string DefaultsFolder;   // factory copies of the data files
    std::string DataFolder;       // the user's data files
    std::string LanguagesFolder;  // language files
};

// Computes the folders for an executable at executablePath. The data folder lies under
// xdgDataHome when that is an absolute path, else under home + "/.local/share". An
// executable in <prefix>/bin takes its resources from <prefix>/share/quorvex/ when that
// folder exists (the only file-system access made here).
TAppFolders ComputeAppFolders(const std::string& executablePath, const std::string& xdgDataHome,
                              const std::string& home);

// The user's home: $HOME, else the password database's entry.
std::string HomeFolder();
// A user's XDG base folder: the variable's value when it is an absolute path, else home +
// fallback ("/.local/share", "/.config").
std::string XdgBaseFolder(const std::string& value, const std::string& home, const char* fallback);
// The path of this process's executable; empty when it cannot be read.
std::string ProgramPath();

// The folders of this process, from /proc/self/exe, $XDG_DATA_HOME and $HOME.
TAppFolders CurrentAppFolders();

// The program-wide folders: computed on first use; SetAppFolders replaces them (tests,
// front ends that keep their data elsewhere). Set them before any thread reads them.
const TAppFolders& AppFolders();
void SetAppFolders(const TAppFolders& folders);

const std::string& ProgramFolder();
const std::string& ResourceFolder();
const std::string& DefaultsFolder();
const std::string& DataFolder();
const std::string& LanguagesFolder();

// DataFolder() + name. When that file does not exist, creates DataFolder() (and its
// parents) and seeds the file from DefaultsFolder() + name without overwriting; a failed
// copy is ignored: the owner then starts empty.
std::string DataFilePath(const std::string& name);
