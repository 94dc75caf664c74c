#include "MenuCommandLine.h"

const char* const MenuUsageText =
    "usage: quorvex-menu [--] FILE...          copy files with Quorvex\n"
    "       quorvex-menu --here FOLDER FILE...  copy files into FOLDER without asking\n"
    "       quorvex-menu --paste-here FOLDER    copy the files on the clipboard into FOLDER\n"
    "       quorvex-menu --register | --unregister | --is-registered\n"
    "                                           the file managers' menu entries\n";

TMenuCommand ParseMenuCommandLine(const std::vector<std::string>& arguments)
{
    TMenuCommand command;
    std::size_t next = 0;
    const auto only = [&](TMenuAction action) {
        command.Action = action;
        if (arguments.size() != 1)
            command.Error = arguments[0] + " takes no other arguments";
        return command;
    };
    if (arguments.empty()) {
        command.Error = "no files given";
        return command;
    }
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h")
        return only(TMenuAction::maHelp);
    if (first == "--register")
        return only(TMenuAction::maRegister);
    if (first == "--unregister")
        return only(TMenuAction::maUnregister);
    if (first == "--is-registered")
        return only(TMenuAction::maIsRegistered);
    command.Action = TMenuAction::maAddFiles;
    if (first == "--here" || first == "--paste-here") {
        command.Action = first == "--here" ? TMenuAction::maAddHere : TMenuAction::maPasteHere;
        if (arguments.size() < 2 || arguments[1].empty()) {
            command.Error = first + " needs a folder";
            return command;
        }
        command.Folder = arguments[1];
        next = 2;
    }
    if (next < arguments.size() && arguments[next] == "--")
        ++next;
    else if (next < arguments.size() && arguments[next].size() > 1 && arguments[next][0] == '-') {
        command.Error = "unknown option " + arguments[next];
        return command;
    }
    command.Files.assign(arguments.begin() + static_cast<std::ptrdiff_t>(next), arguments.end());
    // An empty argument names nothing, not the working folder.
    std::erase(command.Files, std::string());
    if (command.Action == TMenuAction::maPasteHere && !command.Files.empty())
        command.Error = "--paste-here takes the files from the clipboard, not from the command line";
    else if (command.Action != TMenuAction::maPasteHere && command.Files.empty())
        command.Error = "no files given";
    return command;
}
