// quorvex-menu: what the file managers' menu entries run. It hands the selected paths to the
// program over the session bus and adds or removes the entries themselves.

#include "MenuBus.h"
#include "MenuClipboard.h"
#include "shellext/MenuCommandLine.h"
#include "shellext/MenuPaths.h"
#include "shellext/MenuRegistration.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

TMenuEnvironment MenuEnvironment()
{
    TMenuEnvironment environment{
        Environment("HOME"), Environment("XDG_DATA_HOME"), Environment("XDG_CONFIG_HOME"), {}, {}};
    environment.Locale = MenuLocale(Environment("LC_ALL"), Environment("LC_MESSAGES"), Environment("LANG"));
    std::error_code error;
    environment.Program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (environment.Program.empty())
        throw std::runtime_error("cannot tell where quorvex-menu itself lies: " + error.message());
    return environment;
}

int Failed(const std::string& message)
{
    std::cerr << "quorvex-menu: " << message << "\n";
    return 1;
}

int Reported(const std::vector<std::string>& errors)
{
    for (const std::string& error : errors)
        Failed(error);
    return errors.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const TMenuCommand command = ParseMenuCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!command.Error.empty()) {
        std::cerr << "quorvex-menu: " << command.Error << "\n" << MenuUsageText;
        return 2;
    }
    try {
        switch (command.Action) {
        case TMenuAction::maHelp: std::cout << MenuUsageText; return 0;
        case TMenuAction::maRegister: return Reported(RegisterMenus(MenuEnvironment()));
        case TMenuAction::maUnregister: return Reported(UnregisterMenus(MenuEnvironment()));
        case TMenuAction::maIsRegistered: return MenusRegistered(MenuEnvironment()) ? 0 : 1;
        default: break;
        }
    } catch (const std::exception& error) {
        return Failed(error.what());
    }

    std::error_code noFolder;
    const std::string workingFolder = std::filesystem::current_path(noFolder).string();
    std::vector<std::string> files = command.Files;
    std::unique_ptr<QCoreApplication> application;
    if (command.Action == TMenuAction::maPasteHere) {
        if (Environment("DISPLAY").empty() && Environment("WAYLAND_DISPLAY").empty()
            && Environment("QT_QPA_PLATFORM").empty())
            return Failed("no display to read the clipboard from");
        // Under Wayland only a focused window may read the clipboard; the X server of the session
        // mirrors it to every client.
        if (!Environment("DISPLAY").empty() && Environment("QT_QPA_PLATFORM").empty())
            setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
        application = std::make_unique<QGuiApplication>(argc, argv);
        files = ClipboardFileUris();
        if (files.empty())
            return Failed("the clipboard holds no copied files");
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }

    for (std::string& file : files)
        file = MenuPathFromArgument(file, workingFolder);
    const std::vector<std::string> unsendable = TakeUnsendablePaths(files);
    for (const std::string& file : unsendable)
        Failed("a name with a line break cannot be handed over: " + file);
    if (files.empty())
        return 1;
    const std::string text = MenuFilesText(files);
    const std::string folder = command.Action == TMenuAction::maAddFiles
                                   ? ""
                                   : MenuTargetFolder(MenuPathFromArgument(command.Folder, workingFolder));
    const std::string error =
        CallQuorvex(command.Action == TMenuAction::maAddFiles ? "AddFiles" : "AddFilesSilent", text, folder);
    if (!error.empty())
        return Failed(error);
    return unsendable.empty() ? 0 : 1;
}
