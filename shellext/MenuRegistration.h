#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The menu entries quorvex-menu adds to the file managers of one user: Dolphin service menus,
// Nautilus and Caja scripts and Nemo actions, each pair "Copy by Quorvex" (files and folders)
// and "Copy by Quorvex here" (a folder: copies the files on the clipboard into it, as none of
// them lets a program add to the menu of a drop).

// What the entries depend on, read from the environment by the caller.
struct TMenuEnvironment {
    std::string Home;        // $HOME
    std::string DataHome;    // $XDG_DATA_HOME
    std::string ConfigHome;  // $XDG_CONFIG_HOME
    std::string Locale;      // MenuLocale() of the environment
    std::string Program;     // the absolute path of quorvex-menu that the entries run
};

struct TMenuCaptions {
    std::string Copy;
    std::string CopyHere;
};

// The locale that names the language of messages: the first set of these, as POSIX orders them.
std::string MenuLocale(const std::string& lcAll, const std::string& lcMessages, const std::string& lang);

// Russian when the locale's language is Russian, else English.
TMenuCaptions MenuCaptions(const std::string& locale);

struct TMenuFile {
    std::filesystem::path Path;
    std::string Content;
    bool Executable = false;  // Dolphin runs only executable service menus, the scripts must run
};

// The files of the entries in the captions of the environment's locale. Fails (throws
// std::runtime_error) when neither $HOME nor the XDG folders tell where they go.
std::vector<TMenuFile> MenuFiles(const TMenuEnvironment& environment);

// Writes the entries, replacing ours of an earlier registration (in any language). A file of
// another program under one of our names is left alone and reported. Returns the errors.
std::vector<std::string> RegisterMenus(const TMenuEnvironment& environment);

// Removes our entries, in every language; other files in the same folders stay. Returns the errors.
std::vector<std::string> UnregisterMenus(const TMenuEnvironment& environment);

// Whether every entry is there (in any language).
bool MenusRegistered(const TMenuEnvironment& environment);
