#include "core/AppFolders.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string WithSlash(const fs::path& folder)
{
    std::string text = folder.lexically_normal().string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

TAppFolders& Folders()
{
    static TAppFolders folders = CurrentAppFolders();
    return folders;
}

// Creates the missing folders of path with mode 0700: the data files may hold passwords.
void CreateFolders(const fs::path& path)
{
    fs::path partial;
    for (const fs::path& part : path) {
        partial /= part;
        if (part.empty() || part == "/")
            continue;
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return;
    }
}

}  // namespace

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir)
        return found->pw_dir;
    return {};
}

std::string XdgBaseFolder(const std::string& value, const std::string& home, const char* fallback)
{
    return !value.empty() && value.front() == '/' ? value : home + fallback;
}

std::string ProgramPath()
{
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).string();
}

TAppFolders ComputeAppFolders(const std::string& executablePath, const std::string& xdgDataHome,
                              const std::string& home)
{
    TAppFolders folders;
    const fs::path programFolder = fs::path(executablePath).parent_path();
    folders.ProgramFolder = WithSlash(programFolder);

    folders.ResourceFolder = folders.ProgramFolder;
    if (programFolder.filename() == "bin") {
        const fs::path shared = programFolder.parent_path() / "share" / "quorvex";
        std::error_code error;
        if (fs::is_directory(shared, error))
            folders.ResourceFolder = WithSlash(shared);
    }
    folders.DefaultsFolder = folders.ResourceFolder + "Default/";
    folders.LanguagesFolder = folders.ResourceFolder + "Languages/";

    folders.DataFolder = WithSlash(fs::path(XdgBaseFolder(xdgDataHome, home, "/.local/share")) / "Velmora" / "Quorvex");
    return folders;
}

TAppFolders CurrentAppFolders()
{
    fs::path executable = ProgramPath();
    if (executable.empty()) {
        std::error_code error;
        executable = fs::current_path(error) / "quorvex";
    }
    const char* xdgDataHome = std::getenv("XDG_DATA_HOME");
    return ComputeAppFolders(executable.string(), xdgDataHome ? xdgDataHome : "", HomeFolder());
}

const TAppFolders& AppFolders()
{
    return Folders();
}

void SetAppFolders(const TAppFolders& folders)
{
    Folders() = folders;
}

const std::string& ProgramFolder()
{
    return Folders().ProgramFolder;
}

const std::string& ResourceFolder()
{
    return Folders().ResourceFolder;
}

const std::string& DefaultsFolder()
{
    return Folders().DefaultsFolder;
}

const std::string& DataFolder()
{
    return Folders().DataFolder;
}

const std::string& LanguagesFolder()
{
    return Folders().LanguagesFolder;
}

std::string DataFilePath(const std::string& name)
{
    const std::string path = DataFolder() + name;
    std::error_code error;
    if (!fs::exists(path, error)) {
        CreateFolders(DataFolder());
        fs::copy_file(DefaultsFolder() + name, path, fs::copy_options::none, error);
    }
    return path;
}
