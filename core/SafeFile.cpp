#include "core/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ErrnoText(const char* step)
{
    return std::string(step) + ": " + std::strerror(errno);
}

std::string ResolveLink(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        contents.remove_prefix(size_t(written));
    }
    return true;
}

// Some file systems cannot flush a folder; that is no reason to call the write failed.
bool SyncFolder(const std::string& folder, std::string& reason)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        reason = ErrnoText("open folder");
        return false;
    }
    const bool synced = fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    if (!synced)
        reason = ErrnoText("fsync folder");
    close(fd);
    return synced;
}

} // namespace

bool WriteFileSafely(const std::string& path, std::string_view contents, std::string& reason, unsigned mode)
{
    const std::string target = ResolveLink(path);
    std::string temporary = target + ".tmp-XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        reason = ErrnoText("create temporary file");
        return false;
    }

    const char* failedStep = nullptr;
    if (fchmod(fd, mode_t(mode)) != 0)
        failedStep = "set file mode";
    else if (!WriteAll(fd, contents))
        failedStep = "write";
    else if (fsync(fd) != 0)
        failedStep = "fsync";
    if (failedStep) {
        reason = ErrnoText(failedStep);
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    // Close reports late write errors of some file systems (NFS).
    if (close(fd) != 0) {
        reason = ErrnoText("close");
        unlink(temporary.c_str());
        return false;
    }
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        reason = ErrnoText("rename");
        unlink(temporary.c_str());
        return false;
    }
    return SyncFolder(FolderOf(target), reason);
}

std::string KeptAsidePath(const std::string& path)
{
    return path + ".bad";
}

bool KeepFileAside(const std::string& path, std::string& reason)
{
    if (rename(path.c_str(), KeptAsidePath(path).c_str()) != 0) {
        reason = ErrnoText("rename");
        return false;
    }
    return true;
}
