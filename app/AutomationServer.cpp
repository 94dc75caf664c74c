#include "app/AutomationServer.h"

#include "core/AppFolders.h"
#include "core/SafeFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

TServerStartMode ServerStartMode(const std::vector<std::string>& arguments)
{
    TServerStartMode mode = TServerStartMode::Standalone;
    for (const std::string& argument : arguments) {
        std::string name = argument;
        if (name.starts_with("--"))
            name.erase(0, 2);
        else if (name.starts_with("-") || name.starts_with("/"))
            name.erase(0, 1);
        else
            continue;
        name = Lower(name);
        // Unregistering wins over registering, both over the bus's own switches.
        if (name == "unregserver")
            return TServerStartMode::Unregister;
        if (name == "regserver")
            mode = TServerStartMode::Register;
        else if ((name == "automation" || name == "embedding") && mode == TServerStartMode::Standalone)
            mode = TServerStartMode::Automation;
    }
    return mode;
}

std::optional<TAddRequest> AutomationRequest(const std::string& files, const std::string& folder, bool silent)
{
    std::size_t start = 0;
    bool any = false;
    while (start < files.size() && !any) {
        std::size_t end = files.find('\n', start);
        if (end == std::string::npos)
            end = files.size();
        any = !IsBlankLine(files.substr(start, end - start));
        start = end + 1;
    }
    if (!any)
        return std::nullopt;
    // A folder given with its line break is the same one folder.
    std::string folders = folder;
    while (!folders.empty() && (folders.back() == '\n' || folders.back() == '\r'))
        folders.pop_back();
    return TAddRequest{files, folders, silent};
}

std::optional<TAddRequest> TAddRequestQueue::Next()
{
    if (Handling_ || Waiting_.empty())
        return std::nullopt;
    TAddRequest next = std::move(Waiting_.front());
    Waiting_.pop_front();
    Handling_ = true;
    return next;
}

std::string ServiceFilePath(const std::string& xdgDataHome, const std::string& home)
{
    return XdgBaseFolder(xdgDataHome, home, "/.local/share") + "/dbus-1/services/" + kAutomationService + ".service";
}

std::string ServiceFileText(const std::string& program)
{
    if (program.find_first_of("\r\n") != std::string::npos)
        return {};
    // The bus splits Exec as a shell would: the path in single quotes stays one word
    // whatever blanks, quotes or dollar signs it holds.
    std::string quoted = "'";
    for (char c : program)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    quoted += "'";
    return std::string("[D-BUS Service]\nName=") + kAutomationService + "\nExec=" + quoted + " --automation\n";
}

bool RegisterServer(const std::string& serviceFile, const std::string& program, std::string& reason)
{
    const std::string text = ServiceFileText(program);
    if (text.empty()) {
        reason = "The program's path cannot be written into " + serviceFile;
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(serviceFile).parent_path(), error);
    if (error) {
        reason = serviceFile + ": " + error.message();
        return false;
    }
    if (WriteFileSafely(serviceFile, text, reason))
        return true;
    reason = serviceFile + ": " + reason;
    return false;
}

bool UnregisterServer(const std::string& serviceFile, std::string& reason)
{
    if (unlink(serviceFile.c_str()) == 0 || errno == ENOENT)
        return true;
    reason = serviceFile + ": " + std::strerror(errno);
    return false;
}
