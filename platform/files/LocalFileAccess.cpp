#include "platform/files/FileAccess.h"
#include "platform/files/RepeatUntilDone.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Local files through POSIX calls, 64-bit offsets throughout. A regular file is read and
// written at a position kept here (pread, pwrite), so that the position questions of a copy
// cost no system call; other files (pipes, terminals) use the descriptor's own offset.
class TLocalFileAccess final : public TFileAccess {
public:
    ~TLocalFileAccess() override { Close(); }

    bool Connect() override { return true; }
    bool Disconnect() override { return true; }

    bool OpenRead(const std::string& path) override { return OpenWith(path, O_RDONLY); }
    bool OpenReadWrite(const std::string& path) override
    {
        // A file just found missing is most likely made here: made with O_EXCL, it is known
        // to be a new empty regular file without asking again. Made by someone else since,
        // it is opened as it stands.
        if (path == Missing_) {
            Missing_.clear();
            if (OpenNew(path))
                return true;
            if (errno != EEXIST)
                return false;
        }
        return OpenWith(path, O_RDWR | O_CREAT);
    }
    bool IsOpen() const override { return Fd_ >= 0; }
    int Descriptor() const override
    {
        // Whoever writes through the descriptor leaves the known length behind.
        WrittenSize_.reset();
        return Positional_ ? Fd_ : -1;
    }

    bool Close() override
    {
        if (Fd_ < 0)
            return true;
        const int fd = Fd_;
        Fd_ = -1;
        OpenStat_.reset();
        OpenMode_.reset();
        WrittenSize_.reset();
        Path_.clear();
        return ::close(fd) == 0;
    }

    int64_t Seek(int64_t offset, int whence) override
    {
        if (Fd_ < 0 || !Positional_)
            return ::lseek(Fd_, off_t(offset), whence);
        int64_t base = 0;
        if (whence == SEEK_CUR) {
            base = Position_;
        } else if (whence == SEEK_END) {
            base = Size();
            if (base < 0)
                return -1;
        } else if (whence != SEEK_SET) {
            errno = EINVAL;
            return -1;
        }
        if (base + offset < 0) {
            errno = EINVAL;
            return -1;
        }
        Position_ = base + offset;
        return Position_;
    }

    int64_t Read(void* buffer, int64_t count) override
    {
        auto* out = static_cast<char*>(buffer);
        const int64_t done = RepeatUntilDone(count, TZeroMeans::End, [&](int64_t at, int64_t left) {
            return Positional_ ? ::pread(Fd_, out + at, size_t(left), off_t(Position_ + at))
                               : ::read(Fd_, out + at, size_t(left));
        });
        if (done > 0)
            Position_ += done;
        return done;
    }

    int64_t Write(const void* buffer, int64_t count) override
    {
        const auto* in = static_cast<const char*>(buffer);
        const int64_t done = RepeatUntilDone(count, TZeroMeans::Failure, [&](int64_t at, int64_t left) {
            return Positional_ ? ::pwrite(Fd_, in + at, size_t(left), off_t(Position_ + at))
                               : ::write(Fd_, in + at, size_t(left));
        });
        if (done > 0) {
            Position_ += done;
            if (WrittenSize_)
                WrittenSize_ = std::max(*WrittenSize_, Position_);
        }
        return done;
    }

    int64_t Size() override
    {
        if (WrittenSize_)
            return *WrittenSize_;
        struct stat st {};
        if (!FileStat(st))
            return -1;
        return int64_t(st.st_size);
    }

    bool Truncate(int64_t size) override
    {
        if (::ftruncate(Fd_, off_t(size)) != 0)
            return false;
        if (Positional_)
            WrittenSize_ = size;
        return true;
    }

    bool Reserve(int64_t size) override { return ::fallocate(Fd_, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0; }

    bool GetModifyTime(timespec& time) override
    {
        struct stat st {};
        if (!FileStat(st))
            return false;
        time = st.st_mtim;
        return true;
    }

    bool SetModifyTime(const timespec& time) override
    {
        const timespec times[2] = {{0, UTIME_OMIT}, time};
        return ::futimens(Fd_, times) == 0;
    }

    uint32_t GetAttributes(const std::string& path) override
    {
        struct stat st {};
        // The file open for reading answers from what it was asked at its opening.
        if (!(OpenStat_ && path == Path_ ? FileStat(st) : ::lstat(path.c_str(), &st) == 0))
            return kInvalidAttributes;
        uint32_t attributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
        if (!(st.st_mode & S_IWUSR))
            attributes |= kAttrReadOnly;
        const std::string name = std::filesystem::path(path).filename().string();
        if (!name.empty() && name[0] == '.')
            attributes |= kAttrHidden;
        return attributes;
    }

    bool SetAttributes(const std::string& path, uint32_t attributes) override
    {
        // Only the read-only bit has a meaning for local files: it takes the write bits. The
        // open file's mode is known from its opening.
        const bool open = Fd_ >= 0 && path == Path_;
        struct stat st {};
        if (open ? !OpenMode_ && ::fstat(Fd_, &st) != 0 : ::stat(path.c_str(), &st) != 0)
            return false;
        const mode_t old = open && OpenMode_ ? *OpenMode_ : st.st_mode & 07777;
        mode_t mode = old;
        if (attributes & kAttrReadOnly)
            mode &= ~mode_t(S_IWUSR | S_IWGRP | S_IWOTH);
        else
            mode |= S_IWUSR;
        if (mode == old)
            return true;
        if ((open ? ::fchmod(Fd_, mode) : ::chmod(path.c_str(), mode)) != 0)
            return false;
        if (open)
            OpenMode_ = mode;
        return true;
    }

    bool Exists(const std::string& path) override
    {
        struct stat st {};
        const bool exists = ::lstat(path.c_str(), &st) == 0;
        if (!exists && errno == ENOENT)
            Missing_ = path;
        else if (path == Missing_)
            Missing_.clear();
        return exists;
    }

    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    bool MakeDirectories(const std::string& dir) override
    {
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error) {
            errno = error.value();
            return false;
        }
        return true;
    }

private:
    bool OpenNew(const std::string& path)
    {
        Close();
        do
            Fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        while (Fd_ < 0 && errno == EINTR);
        if (Fd_ < 0)
            return false;
        // Its mode is asked only if it is to be changed.
        Path_ = path;
        Position_ = 0;
        Positional_ = true;
        WrittenSize_ = 0;
        return true;
    }

    bool OpenWith(const std::string& path, int flags)
    {
        Close();
        do
            Fd_ = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
        while (Fd_ < 0 && errno == EINTR);
        if (Fd_ < 0)
            return false;
        struct stat st {};
        if (::fstat(Fd_, &st) != 0) {
            const int error = errno;
            Close();
            errno = error;
            return false;
        }
        Path_ = path;
        OpenMode_ = st.st_mode & 07777;
        Position_ = 0;
        Positional_ = S_ISREG(st.st_mode) || S_ISBLK(st.st_mode);
        // A file open for reading keeps its size, time and mode as they were when it was
        // opened: the version that a copy records is the one it reads.
        if ((flags & O_ACCMODE) == O_RDONLY)
            OpenStat_ = st;
        else if (Positional_)
            WrittenSize_ = int64_t(st.st_size);
        return true;
    }

    bool FileStat(struct stat& st)
    {
        if (OpenStat_) {
            st = *OpenStat_;
            return true;
        }
        return ::fstat(Fd_, &st) == 0;
    }

    int Fd_ = -1;
    std::string Path_;
    std::optional<mode_t> OpenMode_;  // the permission bits of the open file, when known
    // The last path that Exists found missing.
    std::string Missing_;
    // Where the next read or write of a regular file goes.
    int64_t Position_ = 0;
    // Read and written at Position_; false for files without positions (pipes, terminals).
    bool Positional_ = false;
    std::optional<struct stat> OpenStat_;
    // The length of a regular file open for writing, as its opening, writes and cuts left it.
    mutable std::optional<int64_t> WrittenSize_;
};

} // namespace

std::unique_ptr<TFileAccess> MakeLocalFileAccess()
{
    return std::make_unique<TLocalFileAccess>();
}

} // namespace platform
