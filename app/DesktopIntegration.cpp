#include "app/DesktopIntegration.h"

#include "core/AppFolders.h"
#include "core/MessageBoxPort.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "core/SafeFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// An XDG folder variable counts only when it holds an absolute path.
std::string XdgFolder(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    return XdgBaseFolder(value ? value : "", HomeFolder(), fallback);
}

std::string Folder(const std::string& path)
{
    return fs::path(path).parent_path().string();
}

}  // namespace

TIntegrationPlaces SessionIntegrationPlaces(const std::string& program)
{
    return {program, XdgFolder("XDG_CONFIG_HOME", "/.config")};
}

std::string DesktopExecWord(const std::string& program)
{
    if (program.find_first_of("\r\n") != std::string::npos)
        return {};
    std::string word = "\"";
    for (char c : program) {
        switch (c) {
        // Reserved inside a quoted argument: a backslash in front; and that backslash, like
        // one of the path, is itself escaped once more by the entry's string rules.
        case '"':
        case '`':
        case '$': word += "\\\\"; break;
        case '\\': word += "\\\\\\"; break;
        // A field code otherwise.
        case '%': word += '%'; break;
        default: break;
        }
        word += c;
    }
    return word + "\"";
}

std::string AutostartEntryText(const std::string& program)
{
    const std::string exec = DesktopExecWord(program);
    if (exec.empty())
        return {};
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=Quorvex\n";
    text += "Exec=" + exec + " -minimize\n";
    return text
           + "Icon=quorvex\n"
             "Terminal=false\n"
             "X-GNOME-Autostart-enabled=true\n";
}

TDesktopIntegration::TDesktopIntegration(TIntegrationPlaces places, IMessageBoxPort& errors)
    : Places_(std::move(places)), Errors_(errors)
{
}

std::string TDesktopIntegration::AutostartFile() const
{
    return Places_.ConfigHome + "/autostart/quorvex.desktop";
}

std::string TDesktopIntegration::MenuProgram() const
{
    return Folder(Places_.Program) + "/quorvex-menu";
}

bool TDesktopIntegration::IsStartWithWindows() const
{
    std::ifstream entry(AutostartFile());
    if (!entry)
        return false;
    for (std::string line; std::getline(entry, line);)
        if (line == "Hidden=true")
            return false;
    return true;
}

void TDesktopIntegration::SetStartWithWindows(bool on)
{
    const std::string file = AutostartFile();
    if (!on) {
        if (unlink(file.c_str()) != 0 && errno != ENOENT)
            ShowError(FormatMessage(Translate("sIntegrationFailed"), {file, std::string(std::strerror(errno))}));
        return;
    }
    const std::string text = AutostartEntryText(Places_.Program);
    std::string reason = "the program's path holds a line break";
    std::error_code error;
    fs::create_directories(Folder(file), error);
    if (error)
        reason = error.message();
    else if (!text.empty() && WriteFileSafely(file, text, reason))
        return;
    ShowError(FormatMessage(Translate("sIntegrationFailed"), {file, reason}));
}

bool TDesktopIntegration::IsExplorerIntegrated() const
{
    // quorvex-menu alone knows where the file managers keep its entries.
    const std::string program = MenuProgram();
    std::string reason;
    return access(program.c_str(), X_OK) == 0 && RunAndWait(program, {"--is-registered"}, reason) == 0;
}

bool TDesktopIntegration::SetExplorerIntegration(bool on)
{
    const std::string program = MenuProgram();
    if (access(program.c_str(), X_OK) != 0) {
        ShowError(FormatMessage(Translate("sIntegrationProgramMissing"), {program}));
        return false;
    }
    const std::string option = on ? "--register" : "--unregister";
    std::string reason;
    const int code = RunAndWait(program, {option}, reason);
    if (code == 0)
        return true;
    ShowError(FormatMessage(Translate("sIntegrationFailed"),
                            {program + " " + option, code < 0 ? reason : "exit code " + std::to_string(code)}));
    return false;
}

void TDesktopIntegration::ShowError(const std::string& text) const
{
    Errors_.ShowErrorBox(Translate("sHintCaptionError"), text);
}

int RunAndWait(const std::string& program, const std::vector<std::string>& arguments, std::string& reason)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (const int failure = posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ)) {
        reason = std::strerror(failure);
        return -1;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) {
            reason = std::strerror(errno);
            return -1;
        }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    reason = "ended by signal " + std::to_string(WTERMSIG(status));
    return -1;
}
