#include "platform/smb/SmbFileAccess.h"

#include "core/IdlePool.h"
#include "platform/files/ReadAhead.h"
#include "platform/files/RepeatUntilDone.h"
#include "platform/smb/SmbLibrary.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <vector>

namespace platform {

namespace {

// Waiting for a connection or an answer longer than this means the server is gone.
constexpr int kTimeoutMs = 15000;
// One libsmbclient call moves at most this much; Read and Write loop over it.
constexpr int64_t kMaxChunk = 16 * 1024 * 1024;
// Reads fetch at least this much at once (see TReadAhead). Larger requests cost far more:
// at 4 MiB a large file took about twice as long and three times the CPU.
constexpr int64_t kReadAhead = 1024 * 1024;
// Small writes are kept back and sent this much at once, one round trip each. Larger
// batches are slower: the server idles while one crosses the connection, and writes it
// only when it is whole (4 MiB took well over twice as long as 1 MiB on loopback).
constexpr int64_t kWriteBehind = 1024 * 1024;
constexpr const char* kDosModeAttribute = "system.dos_attr.mode";

// The library; loaded (by SmbLibrary) before the first context is made, which every other
// call needs.
const TSmbLibrary& Smb()
{
    return *SmbLibrary();
}

// Every call that may connect (a login, a call by path, which reconnects a dropped
// connection, resolving names on the way) holds this lock: those reach state the library
// shares between its contexts. Without the library's thread support (see SmbLibrary) its
// temporary allocations are shared too, and every call holds it.
std::recursive_mutex& LibraryMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}
using TLibraryLock = std::lock_guard<std::recursive_mutex>;

// A server that drops the connection must fail the call with EPIPE, not end the program;
// the library blocks SIGPIPE only in the thread that first loads it. Every thread that logs
// in or uses an open file blocks the signal once: a copy also writes from a thread of the
// pool.
void BlockBrokenPipe()
{
    thread_local bool blocked = false;
    if (blocked)
        return;
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    blocked = true;
}

// Reading, writing and closing an open file use its context's connection alone: with the
// library's thread support they run beside other streams' calls, so that the transfers of
// several streams overlap on their separate connections.
class TFileCallLock {
public:
    TFileCallLock()
    {
        BlockBrokenPipe();
        if (!Smb().Threaded)
            Lock_ = std::unique_lock(LibraryMutex());
    }

private:
    std::unique_lock<std::recursive_mutex> Lock_;
};

struct TCredentials {
    std::string User;
    std::string Password;
};

// Every context carries its own copy of the login it was made with (the library's user
// data, which the login callback reads), so that a kept context needs no library call to
// serve its next stream, whose login is the same. Freed with the context.
bool FreeContext(SMBCCTX* context)
{
    const TLibraryLock lock(LibraryMutex());
    auto* credentials = static_cast<TCredentials*>(Smb().smbc_getOptionUserData(context));
    const bool freed = Smb().smbc_free_context(context, 1) == 0;
    delete credentials;
    return freed;
}

// Contexts of ended streams, logged in and connected, kept for the next stream to the
// same share with the same login: a queue of small files then logs in once. The list has
// its own lock, so that taking up or keeping a context waits for no other stream's turn
// at the library; never freed at exit, when the connections close with the process.
TIdlePool<SMBCCTX*>& IdleContexts()
{
    static auto* idle =
        new TIdlePool<SMBCCTX*>(std::chrono::seconds(60), 8, [](SMBCCTX* context) { FreeContext(context); });
    return *idle;
}

void CopyField(char* out, int size, const std::string& value)
{
    if (out && size > 0) {
        const size_t count = std::min(value.size(), size_t(size - 1));
        std::memcpy(out, value.data(), count);
        out[count] = '\0';
    }
}

// The library asks for each server it logs in to; the answer is always this stream's login.
// Without a user name we ask for the guest account by name: an anonymous session maps to the
// same local account on Samba but not to its owner rights, so it cannot use the folders it
// creates. The library still falls back to an anonymous session if the server refuses.
void AuthData(SMBCCTX* context, const char* /*server*/, const char* /*share*/, char* /*workgroup*/,
              int /*workgroupSize*/, char* user, int userSize, char* password, int passwordSize)
{
    const auto* credentials = static_cast<const TCredentials*>(Smb().smbc_getOptionUserData(context));
    CopyField(user, userSize, credentials->User.empty() ? "guest" : credentials->User);
    CopyField(password, passwordSize, credentials->Password);
}

// The parts of "\\srv\share\dir\f" (either slash; empty parts are skipped).
std::vector<std::string> SplitUnc(const std::string& uncPath)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : uncPath + "/") {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return parts;
}

std::string Encode(const std::string& part)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : part) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || std::strchr("-._~", c)) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string JoinUrl(const std::vector<std::string>& parts, size_t count)
{
    std::string url = "smb:/";
    for (size_t i = 0; i < count && i < parts.size(); ++i)
        url += "/" + Encode(parts[i]);
    return url;
}

// Samba's library (since 4.12) answers "system.dos_attr.mode" with the POSIX mode the library
// makes up from the attribute word (S_IFREG or S_IFDIR, r for all, w unless read-only, x for
// archive, system and hidden) instead of the word itself; turn such a mode back into the word.
uint32_t DosAttributes(unsigned long value)
{
    const unsigned long type = value & S_IFMT;
    if (value > 0xFFFF || (type != S_IFREG && type != S_IFDIR) || (value & 0444) != 0444)
        return uint32_t(value);
    uint32_t attributes = 0;
    if (!(value & S_IWUSR))
        attributes |= kAttrReadOnly;
    if (type == S_IFDIR) {
        attributes |= kAttrDirectory; // folders always carry x: the other bits are lost
    } else {
        if (value & S_IXUSR)
            attributes |= kAttrArchive;
        if (value & S_IXGRP)
            attributes |= kAttrSystem;
        if (value & S_IXOTH)
            attributes |= kAttrHidden;
    }
    return attributes ? attributes : kAttrNormal;
}

// The library reports a refused login as EPERM; a user reads "access denied" better.
int LoginErrno(int error)
{
    return error == EPERM ? EACCES : error;
}

class TSmbFileAccess final : public TFileAccess {
public:
    TSmbFileAccess(const std::string& uncPath, const std::string& user, const std::string& password)
        : Credentials_{user, password}
    {
        const std::vector<std::string> parts = SplitUnc(uncPath);
        if (parts.size() >= 2)
            ShareUrl_ = JoinUrl(parts, 2);
    }

    ~TSmbFileAccess() override { Disconnect(); }

    bool Connect() override
    {
        if (Context_)
            return true;
        if (ShareUrl_.empty())
            return Fail(EINVAL);
        if (!SmbLibrary())
            return false;
        BlockBrokenPipe();
        // The key holds the port and the password: a context is only ever taken up for its
        // own server and with its own login.
        Key_ = ShareUrl_ + ':' + std::to_string(SmbPort()) + '\n' + Credentials_.User + '\n' + Credentials_.Password;
        if (SMBCCTX* kept = IdleContexts().Take(Key_).value_or(nullptr)) {
            // Logged in when it was kept: its first call tells whether the connection lasted
            // (see Retried), which spares every small file a login check of three round trips.
            Context_ = kept;
            Unproven_ = true;
            return true;
        }
        return ConnectAnew();
    }

    // A new context, logged in; false (errno set) when the login fails.
    bool ConnectAnew()
    {
        const TLibraryLock lock(LibraryMutex());
        Context_ = NewContext();
        if (!Context_)
            return false;
        if (LogIn())
            return true;
        const int error = LoginErrno(errno);
        Release(false);
        return Fail(error);
    }

    // The context is kept for a later stream with the same login.
    bool Disconnect() override { return Release(true); }

    bool OpenRead(const std::string& path) override { return Open(path, O_RDONLY); }

    // Never O_TRUNC: resuming relies on the part already written.
    bool OpenReadWrite(const std::string& path) override { return Open(path, O_RDWR | O_CREAT); }

    bool IsOpen() const override { return File_ != nullptr; }

    bool Close() override
    {
        if (!File_)
            return true;
        bool flushed = false;
        int flushError = 0;
        bool closed = false;
        {
            const TFileCallLock lock;
            // What was kept back must reach the server, or the close fails.
            flushed = FlushWrites();
            flushError = errno;
            Pending_ = {};
            ReadAhead_.Clear();
            closed = Smb().smbc_getFunctionClose(Context_)(Context_, File_) == 0;
            File_ = nullptr;
        }
        // The server stamps the last write's time at the close, over a time set by path
        // before; setting it again now makes it stick as it does on a local file.
        if (closed && flushed && StickyTimes_) {
            const TLibraryLock lock(LibraryMutex());
            closed = SetTimes(FileUrl_, *StickyTimes_);
        }
        StickyTimes_.reset();
        FileUrl_.clear();
        ReadOnly_ = false;
        ReadOnlyStat_.reset();
        if (!flushed)
            return Fail(flushError);
        return closed;
    }

    int64_t Seek(int64_t offset, int whence) override
    {
        // A file being read tells and keeps where its reads stand without a turn at the
        // library, and keeps what was read ahead.
        if (File_ && ReadOnly_ && ((whence == SEEK_CUR && offset == 0) || (whence == SEEK_SET && offset == ReadAt_)))
            return ReadAt_;
        const TLibraryLock lock(LibraryMutex());
        if (!File_)
            return Fail(EBADF, int64_t(-1));
        if (!Settle())
            return -1;
        struct stat st {};
        if (whence == SEEK_END && ReadOnly_) {
            if (!FileStat(st))
                return -1;
            offset += st.st_size;
            whence = SEEK_SET;
        }
        const off_t result = Smb().smbc_getFunctionLseek(Context_)(Context_, File_, off_t(offset), whence);
        if (result < 0)
            return -1;
        ReadAt_ = int64_t(result);
        return ReadAt_;
    }

    int64_t Size() override
    {
        if (ReadOnlyStat_)
            return int64_t(ReadOnlyStat_->st_size);
        const TLibraryLock lock(LibraryMutex());
        struct stat st {};
        return FileStat(st) ? int64_t(st.st_size) : -1;
    }

    int64_t Read(void* buffer, int64_t count) override
    {
        // What was fetched already needs no turn at the library.
        if (File_ && ReadOnly_ && count >= 0 && ReadAhead_.Holds(count))
            return Advance(ReadAhead_.Read(buffer, count, [](char*, int64_t) { return int64_t(-1); }));
        const TFileCallLock lock;
        if (!File_)
            return Fail(EBADF, int64_t(-1));
        if (!FlushWrites())
            return -1;
        const auto fetch = [this](char* out, int64_t wanted) { return Fetch(out, wanted); };
        return Advance(ReadAhead_.Read(buffer, count, fetch));
    }

    // Small blocks are kept back and sent together (see kWriteBehind): a block counts as
    // written once it is kept. Should sending fail, the kept bytes are lost, and this and
    // every later call on the file fails, its close too; the file's length still tells
    // where the data that arrived ends.
    int64_t Write(const void* buffer, int64_t count) override
    {
        const TFileCallLock lock;
        if (!File_)
            return Fail(EBADF, int64_t(-1));
        if (count < 0)
            return Fail(EINVAL, int64_t(-1));
        if (!RewindReadAhead())
            return -1;
        if (int64_t(Pending_.size()) + count > kWriteBehind && !FlushWrites())
            return -1;
        if (WriteError_)
            return Fail(WriteError_, int64_t(-1));
        const auto* in = static_cast<const char*>(buffer);
        if (count >= kWriteBehind)
            return SendWrite(in, count);
        Pending_.reserve(std::size_t(kWriteBehind));
        Pending_.insert(Pending_.end(), in, in + count);
        return count;
    }

    int64_t DirectBlock() const override { return std::max(kReadAhead, kWriteBehind); }

    bool Truncate(int64_t size) override
    {
        const TLibraryLock lock(LibraryMutex());
        if (!File_)
            return Fail(EBADF);
        if (size < 0)
            return Fail(EINVAL);
        if (!Settle())
            return false;
        return Smb().smbc_getFunctionFtruncate(Context_)(Context_, File_, off_t(size)) == 0;
    }

    bool GetModifyTime(timespec& time) override
    {
        if (ReadOnlyStat_) {
            time = ReadOnlyStat_->st_mtim;
            return true;
        }
        const TLibraryLock lock(LibraryMutex());
        struct stat st {};
        if (!FileStat(st))
            return false;
        time = st.st_mtim;
        return true;
    }

    bool SetModifyTime(const timespec& time) override
    {
        const TLibraryLock lock(LibraryMutex());
        // The library sets times by path only, and always both: keep the access time.
        struct stat st {};
        if (!FileStat(st))
            return false;
        const std::array<timeval, 2> times{{{st.st_atim.tv_sec, st.st_atim.tv_nsec / 1000},
                                            {time.tv_sec, time.tv_nsec / 1000}}};
        if (!SetTimes(FileUrl_, times))
            return false;
        StickyTimes_ = times;
        return true;
    }

    uint32_t GetAttributes(const std::string& path) override
    {
        const std::string url = UncToSmbUrl(path);
        // The library's mode of a file carries its attribute word (see DosAttributes).
        if (ReadOnlyStat_ && url == FileUrl_)
            return DosAttributes(ReadOnlyStat_->st_mode);
        const TLibraryLock lock(LibraryMutex());
        if (!Context_)
            return Fail(ENOTCONN, kInvalidAttributes);
        if (!FlushWrites())
            return kInvalidAttributes;
        struct stat st {};
        if (ReadOnly_ && File_ && url == FileUrl_)
            return FileStat(st) ? DosAttributes(st.st_mode) : kInvalidAttributes;
        return ReadAttributes(url);
    }

    bool SetAttributes(const std::string& path, uint32_t attributes) override
    {
        const TLibraryLock lock(LibraryMutex());
        if (!Context_)
            return Fail(ENOTCONN);
        // An attribute word that could not be read must never be written to another file.
        if (attributes == kInvalidAttributes)
            return Fail(EINVAL);
        if (!FlushWrites())
            return false;
        return WriteAttributes(UncToSmbUrl(path), attributes);
    }

    bool Exists(const std::string& path) override
    {
        const TLibraryLock lock(LibraryMutex());
        struct stat st {};
        return PathStat(UncToSmbUrl(path), st);
    }

    bool Remove(const std::string& path) override
    {
        const TLibraryLock lock(LibraryMutex());
        if (!Connect())
            return false;
        const std::string url = UncToSmbUrl(path);
        return Retried([&] { return Smb().smbc_getFunctionUnlink(Context_)(Context_, url.c_str()) == 0; });
    }

    bool MakeDirectories(const std::string& dir) override
    {
        const TLibraryLock lock(LibraryMutex());
        if (!Context_)
            return Fail(ENOTCONN);
        const std::vector<std::string> parts = SplitUnc(dir);
        if (parts.size() < 2)
            return Fail(EINVAL);
        struct stat st {};
        if (PathStat(JoinUrl(parts, parts.size()), st))
            return S_ISDIR(st.st_mode) || Fail(ENOTDIR);
        for (size_t level = 3; level <= parts.size(); ++level) {
            const std::string url = JoinUrl(parts, level);
            // A folder that exists may still refuse a new one at its place with EACCES.
            if (Smb().smbc_getFunctionMkdir(Context_)(Context_, url.c_str(), 0755) != 0 && errno != EEXIST) {
                const int error = errno;
                if (!PathStat(url, st) || !S_ISDIR(st.st_mode))
                    return Fail(error);
            }
        }
        // EEXIST also comes from a file of that name.
        if (!PathStat(JoinUrl(parts, parts.size()), st))
            return false;
        return S_ISDIR(st.st_mode) || Fail(ENOTDIR);
    }

private:
    bool Release(bool keep)
    {
        if (!Context_)
            return true;
        Close();
        SMBCCTX* context = Context_;
        Context_ = nullptr;
        Unproven_ = false;
        if (keep) {
            IdleContexts().Give(Key_, context);
            return true;
        }
        // libsmbclient 4.17 keeps about 116 bytes for every context it has initialised,
        // freed or not.
        return FreeContext(context);
    }

    // A context for this stream's server and login; nullptr (errno set) when none can be made.
    SMBCCTX* NewContext()
    {
        SMBCCTX* context = Smb().smbc_new_context();
        if (!context)
            return Fail(errno ? errno : ENOMEM, static_cast<SMBCCTX*>(nullptr));
        Smb().smbc_setDebug(context, 0);
        Smb().smbc_setOptionUserData(context, new TCredentials(Credentials_));
        Smb().smbc_setFunctionAuthDataWithContext(context, AuthData);
        Smb().smbc_setPort(context, uint16_t(SmbPort()));
        Smb().smbc_setTimeout(context, kTimeoutMs);
        // Only the credentials given here count: no cached tickets, and no guest
        // login in place of a refused user.
        Smb().smbc_setOptionUseCCache(context, false);
        Smb().smbc_setOptionNoAutoAnonymousLogin(context, !Credentials_.User.empty());
        // Others may read the file while we use it, but not write it.
        Smb().smbc_setOptionOpenShareMode(context, SMBC_SHAREMODE_DENY_WRITE);
        if (!Smb().smbc_init_context(context)) {
            const int error = errno ? errno : EINVAL;
            FreeContext(context);
            return Fail(error, static_cast<SMBCCTX*>(nullptr));
        }
        return context;
    }

    // Creating a context talks to nobody: the stat of the share root is the real login.
    bool LogIn()
    {
        struct stat st {};
        return Smb().smbc_getFunctionStat(Context_)(Context_, ShareUrl_.c_str(), &st) == 0;
    }

    // The server's answers about a path, which a live connection gives.
    static bool IsAnswer(int error)
    {
        static constexpr int kAnswers[] = {ENOENT, ENOTDIR, EISDIR,       EEXIST,    EACCES, EPERM,
                                           EBUSY,  EINVAL,  ENAMETOOLONG, ENOTEMPTY, ENOSPC};
        return std::find(std::begin(kAnswers), std::end(kAnswers), error) != std::end(kAnswers);
    }

    // Runs the first call that reaches the server on a kept context; should it fail for want
    // of a connection (the server dropped it while the context waited), the call is made
    // once more on a new login. call() returns true on success, false with errno set.
    template <class TCall>
    bool Retried(TCall call)
    {
        if (!Unproven_)
            return call();
        Unproven_ = false;
        if (call())
            return true;
        const int error = errno;
        if (IsAnswer(error))
            return Fail(error);
        Release(false);
        return ConnectAnew() && call();
    }

    // Leaves the reason in errno for the caller's message and returns the failure value.
    template <typename T = bool>
    static T Fail(int error, T result = T{})
    {
        errno = error;
        return result;
    }

    int64_t SendWrite(const char* in, int64_t count)
    {
        return RepeatUntilDone(count, TZeroMeans::Failure, [&](int64_t done, int64_t left) {
            return Smb().smbc_getFunctionWrite(Context_)(Context_, File_, in + done, size_t(std::min(left, kMaxChunk)));
        });
    }

    // Sends what Write kept back. A failure sticks: the bytes are lost and the file cannot
    // be trusted any more.
    bool FlushWrites()
    {
        if (WriteError_)
            return Fail(WriteError_);
        if (Pending_.empty())
            return true;
        const int64_t sent = SendWrite(Pending_.data(), int64_t(Pending_.size()));
        if (sent < 0)
            WriteError_ = errno ? errno : EIO;
        Pending_.clear();
        return sent >= 0 || Fail(WriteError_);
    }

    // Reads up to `wanted` bytes, fewer only at the end of the file. Where the size is known
    // (a file open for reading, asked for its size), the file ends there: it is read as it
    // was when it was asked, the version a copy records, and the end costs no round trip
    // of its own (a small file is one read).
    int64_t Fetch(char* out, int64_t wanted)
    {
        const auto read = Smb().smbc_getFunctionRead(Context_);
        int64_t toEnd = -1;
        if (ReadOnlyStat_) {
            const off_t at = Smb().smbc_getFunctionLseek(Context_)(Context_, File_, 0, SEEK_CUR);
            if (at >= ReadOnlyStat_->st_size)
                return 0;
            if (at >= 0) {
                toEnd = ReadOnlyStat_->st_size - at;
                wanted = std::min(wanted, toEnd);
            }
        }
        int64_t done = 0;
        while (done < wanted) {
            const ssize_t moved = read(Context_, File_, out + done, size_t(std::min(wanted - done, kMaxChunk)));
            if (moved < 0 && errno == EINTR)
                continue;
            if (moved < 0) {
                // Nothing of a failed fetch counts: the file goes back to where it began, so
                // that a later read neither skips nor repeats bytes.
                const int error = errno;
                if (done > 0)
                    Smb().smbc_getFunctionLseek(Context_)(Context_, File_, -off_t(done), SEEK_CUR);
                return Fail(error, int64_t(-1));
            }
            done += moved;
            if (moved == 0 || done == toEnd)
                break;
        }
        return done;
    }

    // Moves where the reads stand by what a read handed over.
    int64_t Advance(int64_t done)
    {
        if (done > 0)
            ReadAt_ += done;
        return done;
    }

    // Puts the server's file where the caller stands: written bytes sent, read-ahead given back.
    bool Settle() { return FlushWrites() && RewindReadAhead(); }

    // Puts the file position back where the caller's reads stand.
    bool RewindReadAhead()
    {
        const int64_t ahead = ReadAhead_.Unconsumed();
        ReadAhead_.Clear();
        return ahead == 0 || Smb().smbc_getFunctionLseek(Context_)(Context_, File_, -off_t(ahead), SEEK_CUR) >= 0;
    }

    bool Open(const std::string& path, int flags)
    {
        if (!Context_)
            return Fail(ENOTCONN);
        Close();
        WriteError_ = 0;
        const std::string url = UncToSmbUrl(path);
        struct stat st {};
        {
            const TLibraryLock lock(LibraryMutex());
            const auto open = [&] {
                File_ = Smb().smbc_getFunctionOpen(Context_)(Context_, url.c_str(), flags, 0644);
                return File_ != nullptr;
            };
            if (!Retried(open))
                return false;
            FileUrl_ = url;
            ReadOnly_ = (flags & O_ACCMODE) == O_RDONLY;
            ReadAt_ = 0;
            // A copy asks the file it reads for its size, time and attributes: asked now, in
            // the same turn at the library, their answers need no turn of their own (where
            // this fails, the first question asks again and tells why).
            if (!ReadOnly_ || !FileStat(st))
                return true;
        }
        // A file that one read-ahead holds is read at once: a small file is then opened,
        // asked and read before the copy asks (should it start elsewhere, the bytes are
        // given back unused).
        const TFileCallLock lock;
        const auto fetch = [this](char* out, int64_t wanted) { return Fetch(out, wanted); };
        if (st.st_size > 0 && st.st_size <= kReadAhead && !ReadAhead_.Prefetch(fetch)) {
            // The first read tries again, from the start.
            Smb().smbc_getFunctionLseek(Context_)(Context_, File_, 0, SEEK_SET);
        }
        return true;
    }

    // A file open for reading is asked once: its size, time and attributes then come from
    // that answer (one round trip instead of five for a copy's questions), without the
    // library's lock.
    bool FileStat(struct stat& st)
    {
        if (!File_)
            return Fail(EBADF);
        if (ReadOnlyStat_) {
            st = *ReadOnlyStat_;
            return true;
        }
        if (!Settle())
            return false;
        if (Smb().smbc_getFunctionFstat(Context_)(Context_, File_, &st) != 0)
            return false;
        if (ReadOnly_)
            ReadOnlyStat_ = st;
        return true;
    }

    bool PathStat(const std::string& url, struct stat& st)
    {
        if (!Context_)
            return Fail(ENOTCONN);
        return Retried([&] { return Smb().smbc_getFunctionStat(Context_)(Context_, url.c_str(), &st) == 0; });
    }

    uint32_t ReadAttributes(const std::string& url)
    {
        char text[64] = {};
        if (Smb().smbc_getFunctionGetxattr(Context_)(Context_, url.c_str(), kDosModeAttribute, text, sizeof(text) - 1) < 0)
            return kInvalidAttributes;
        char* end = nullptr;
        errno = 0;
        const unsigned long value = std::strtoul(text, &end, 16);
        if (end == text || errno != 0 || value >= kInvalidAttributes)
            return Fail(EIO, kInvalidAttributes);
        return DosAttributes(value);
    }

    bool WriteAttributes(const std::string& url, uint32_t attributes)
    {
        // Whether an entry is a folder is not an attribute one can set.
        const uint32_t bits = attributes & ~(kAttrDirectory | kAttrNormal);
        // chmod sets read-only and archive (and clears everything with neither) without
        // touching the times; the attribute xattr rewrites them in whole seconds, and reads
        // an empty word as "leave unchanged".
        if ((bits & ~(kAttrReadOnly | kAttrArchive)) == 0) {
            const mode_t mode = ((bits & kAttrReadOnly) ? 0444 : 0666) | ((bits & kAttrArchive) ? S_IXUSR : 0);
            if (Smb().smbc_getFunctionChmod(Context_)(Context_, url.c_str(), mode) != 0)
                return false;
            // The archive bit goes through chmod only while the client maps it (its default).
            if (bits == 0 || (ReadAttributes(url) & ~(kAttrDirectory | kAttrNormal)) == bits)
                return true;
        }
        char text[16];
        const int length = std::snprintf(text, sizeof(text), "0x%x", unsigned(bits));
        return Smb().smbc_getFunctionSetxattr(Context_)(Context_, url.c_str(), kDosModeAttribute, text, size_t(length), 0) == 0;
    }

    // The library's utimes also clears the attribute word: put it back afterwards.
    bool SetTimes(const std::string& url, const std::array<timeval, 2>& times)
    {
        const uint32_t attributes = ReadAttributes(url);
        std::array<timeval, 2> copy = times;
        if (Smb().smbc_getFunctionUtimes(Context_)(Context_, url.c_str(), copy.data()) != 0)
            return false;
        if (attributes == kInvalidAttributes || (attributes & ~(kAttrDirectory | kAttrNormal)) == 0)
            return true;
        return WriteAttributes(url, attributes);
    }

    TCredentials Credentials_;
    std::string ShareUrl_;
    std::string Key_;             // the share and login a kept context serves
    SMBCCTX* Context_ = nullptr;
    // A kept context taken up whose connection no call has used yet.
    bool Unproven_ = false;
    SMBCFILE* File_ = nullptr;
    TReadAhead ReadAhead_{kReadAhead};
    std::vector<char> Pending_;   // written, not yet sent
    int WriteError_ = 0;          // errno of a failed send; sticks until the next open
    std::string FileUrl_;
    bool ReadOnly_ = false;                      // the open file was opened for reading only
    int64_t ReadAt_ = 0;                         // where its reads stand
    std::optional<struct stat> ReadOnlyStat_;    // its stat, taken at its opening
    // Times set on the open file, set again once it is closed.
    std::optional<std::array<timeval, 2>> StickyTimes_;
};

} // namespace

int SmbPort()
{
    if (const char* text = std::getenv("QUORVEX_SMB_PORT")) {
        char* end = nullptr;
        const long port = std::strtol(text, &end, 10);
        if (end != text && *end == '\0' && port > 0 && port < 65536)
            return int(port);
    }
    return 445;
}

std::string UncToSmbUrl(const std::string& uncPath)
{
    const std::vector<std::string> parts = SplitUnc(uncPath);
    return JoinUrl(parts, parts.size());
}

std::unique_ptr<TFileAccess> MakeSmbFileAccess(const std::string& uncPath, const std::string& user,
                                               const std::string& password)
{
    return std::make_unique<TSmbFileAccess>(uncPath, user, password);
}

} // namespace platform
