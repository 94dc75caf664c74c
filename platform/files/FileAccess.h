#pragma once

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

namespace platform {

// Attribute word of a file, in the bits that shares use (DOS attributes).
constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrSystem = 0x04;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrNormal = 0x80;
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;

// One file and the file system it lies on: a local disk, or a share reached through one
// login. A stream owns one and uses it from one thread. Calls return false (or -1) on
// failure and leave the reason in errno, so that the caller can word the error.
class TFileAccess {
public:
    virtual ~TFileAccess() = default;

    // Log in to the share (nothing for local files). Reports a wrong password,
    // an unknown share or an unreachable server.
    virtual bool Connect() = 0;
    virtual bool Disconnect() = 0;

    virtual bool OpenRead(const std::string& path) = 0;
    // Opens for reading and writing; creates a missing file, keeps an existing one's content.
    virtual bool OpenReadWrite(const std::string& path) = 0;
    virtual bool IsOpen() const = 0;
    virtual bool Close() = 0;

    // whence as for lseek; returns the new offset or -1.
    virtual int64_t Seek(int64_t offset, int whence) = 0;
    // Length of the open file, or -1; the position stays.
    virtual int64_t Size() = 0;
    // Fills the buffer unless the end of the file comes first; returns the count or -1.
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes all of the buffer (a share may keep it back and send it with later blocks; a
    // failure to send then fails a later call and the close); returns the count or -1.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Sets the end of the open file: grows it (sparse) or cuts it.
    virtual bool Truncate(int64_t size) = 0;
    // Allocates the blocks of the open file's first `size` bytes without changing its length,
    // so that a full disk shows now and not mid-copy, while the length still tells where
    // the data ends. Fails with EOPNOTSUPP where the file system cannot do that.
    virtual bool Reserve(int64_t /*size*/)
    {
        errno = EOPNOTSUPP;
        return false;
    }

    // Last-write time of the open file.
    virtual bool GetModifyTime(timespec& time) = 0;
    virtual bool SetModifyTime(const timespec& time) = 0;

    // Attribute word of a path; kInvalidAttributes when it cannot be read.
    virtual uint32_t GetAttributes(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;

    // True when an entry of that name exists (file, folder or link).
    virtual bool Exists(const std::string& path) = 0;
    // Creates the folder and every missing parent.
    virtual bool MakeDirectories(const std::string& dir) = 0;
    // Deletes a file.
    virtual bool Remove(const std::string& path) = 0;

    // The open local file's descriptor, for copies inside the kernel at the positions Seek
    // tells and sets; -1 for none (a share, a pipe).
    virtual int Descriptor() const { return -1; }
    // Reads and writes of at least this many bytes go to the server as they are asked for;
    // smaller ones pass through a buffer of that size (a share). 0: none is buffered.
    virtual int64_t DirectBlock() const { return 0; }
};

// Local files, addressed by absolute POSIX paths.
std::unique_ptr<TFileAccess> MakeLocalFileAccess();

} // namespace platform
