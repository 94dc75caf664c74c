#pragma once

#include <string>

// The lock that lets one instance of the program run per user: an exclusive flock on
// "quorvex.lock" in the user's runtime folder, held for the life of the object. The kernel
// drops it when the process dies, so a crash never leaves a stale lock. The instance that
// holds it listens on the local socket beside it, over which a second start asks it to
// show its window (and removes a socket file a crashed instance left behind first).
class TInstanceLock {
public:
    // folder: where the lock and the socket lie; empty for InstanceFolder().
    explicit TInstanceLock(std::string folder = {});
    ~TInstanceLock();
    TInstanceLock(const TInstanceLock&) = delete;
    TInstanceLock& operator=(const TInstanceLock&) = delete;

    // True when this object holds the lock (now or already). False when another instance
    // holds it, or when it could not be tried: then ErrorText() tells why.
    bool TryAcquire();
    bool Held() const { return Fd_ >= 0 && Held_; }
    const std::string& ErrorText() const { return Error_; }

    const std::string& LockPath() const { return LockPath_; }
    const std::string& SocketPath() const { return SocketPath_; }

private:
    std::string Folder_;
    std::string LockPath_;
    std::string SocketPath_;
    std::string Error_;
    int Fd_ = -1;
    bool Held_ = false;
};

// $XDG_RUNTIME_DIR; without it a folder of the user's own under /tmp ("quorvex-<uid>",
// mode 0700). Empty, with error set, when that folder exists but is not the user's alone.
std::string InstanceFolder(std::string& error);
// The same from a runtime folder that may be null and a root for the fallback folder.
std::string InstanceFolderIn(const char* runtimeDir, const std::string& tmpRoot, std::string& error);
