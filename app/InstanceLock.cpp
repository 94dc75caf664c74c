#include "app/InstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string SystemError(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

}  // namespace

std::string InstanceFolderIn(const char* runtimeDir, const std::string& tmpRoot, std::string& error)
{
    if (runtimeDir && *runtimeDir)
        return runtimeDir;
    const std::string folder = tmpRoot + "/quorvex-" + std::to_string(getuid());
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = SystemError(folder, errno);
        return {};
    }
    // Anyone may create names in /tmp: a folder another user made (or a link to one)
    // would let that user take the lock or answer on the socket.
    struct stat info {};
    if (lstat(folder.c_str(), &info) != 0) {
        error = SystemError(folder, errno);
        return {};
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != getuid() || (info.st_mode & 077) != 0) {
        error = folder + ": " + "not a private folder of this user";
        return {};
    }
    return folder;
}

std::string InstanceFolder(std::string& error)
{
    const char* tmp = std::getenv("TMPDIR");
    return InstanceFolderIn(std::getenv("XDG_RUNTIME_DIR"), tmp && *tmp ? tmp : "/tmp", error);
}

TInstanceLock::TInstanceLock(std::string folder) : Folder_(std::move(folder))
{
    if (Folder_.empty())
        Folder_ = InstanceFolder(Error_);
    if (!Folder_.empty()) {
        LockPath_ = Folder_ + "/quorvex.lock";
        SocketPath_ = Folder_ + "/quorvex.socket";
    }
}

TInstanceLock::~TInstanceLock()
{
    if (Fd_ >= 0)
        close(Fd_);
}

bool TInstanceLock::TryAcquire()
{
    if (Held_)
        return true;
    if (LockPath_.empty())
        return false;
    if (Fd_ < 0) {
        Fd_ = open(LockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (Fd_ < 0) {
            Error_ = SystemError(LockPath_, errno);
            return false;
        }
    }
    // Locks belong to the open file description: a second object in this process has its
    // own and is refused like another process.
    while (flock(Fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            Error_ = SystemError(LockPath_, errno);
        return false;
    }
    Error_.clear();
    Held_ = true;
    return true;
}
