#pragma once

#include <string>
#include <vector>

// What quorvex-menu was asked to do.
enum class TMenuAction {
    maAddFiles,      // FILE...: hand the files over, the program asks for a destination
    maAddHere,       // --here FOLDER FILE...: copy the files into FOLDER without asking
    maPasteHere,     // --paste-here FOLDER: copy the files on the clipboard into FOLDER
    maRegister,      // --register: add the menu entries for this user
    maUnregister,    // --unregister: remove them
    maIsRegistered,  // --is-registered: exit 0 when they are there, 1 when not
    maHelp,          // --help
};

struct TMenuCommand {
    TMenuAction Action = TMenuAction::maHelp;
    std::string Folder;              // as given, for maAddHere and maPasteHere
    std::vector<std::string> Files;  // as given
    std::string Error;               // a usage error; nothing is done
};

TMenuCommand ParseMenuCommandLine(const std::vector<std::string>& arguments);

extern const char* const MenuUsageText;
