#include "transfer/TransferFileStream.h"

#include "core/Links.h"
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "platform/files/KernelCopy.h"
#include "platform/smb/SmbFileAccess.h"

#include <algorithm>
#include <cerrno>
#include <typeinfo>
#include <unistd.h>

TTransferFileStream::TTransferFileStream(const std::string& name) : TTransferStream(name)
{
    ParseName();
}

TTransferFileStream::TTransferFileStream(const std::string& name, const std::string& userName,
                                         const std::string& password)
    : TTransferFileStream(name)
{
    SetCredentials(userName, password);
}

TTransferFileStream::~TTransferFileStream() = default;

void TTransferFileStream::ParseName()
{
    if (Name_.empty())
        throw QuorvexError(Translate("sEmptyFileName"));
    HostName_ = ExtractHostName(Name_);
}

platform::TFileAccess& TTransferFileStream::Files()
{
    if (!Files_)
        Files_ = HostName_.empty() ? platform::MakeLocalFileAccess()
                                   : platform::MakeSmbFileAccess(Name_, UserName_, Password_);
    return *Files_;
}

void TTransferFileStream::RefuseDrivePath() const
{
    if (IsDrivePath(Name_))
        throw QuorvexError("Drive paths such as C:\\ do not exist on this system; use an absolute path "
                           "such as /home/user/file or a share path \\\\server\\share\\file: " + Name_);
}

void TTransferFileStream::DoOpenConnection()
{
    if (HostName_.empty())
        return;
    if (!Files().Connect())
        RaiseLastError();
}

void TTransferFileStream::DoCloseConnection()
{
    if (HostName_.empty() || !Files_)
        return;
    if (!Files_->Disconnect())
        RaiseLastError();
}

void TTransferFileStream::DoOpenRead()
{
    RefuseDrivePath();
    if (!Files().OpenRead(Name_))
        RaiseLastError();
}

void TTransferFileStream::DoOpenWrite()
{
    RefuseDrivePath();
    // The folder is mostly there: it is looked at only when the file cannot be made.
    if (Files().OpenReadWrite(Name_))
        return;
    const std::string dir = ExtractDir(Name_);
    // A missing folder, or a file where one should be (which the folder's creation words).
    if ((errno != ENOENT && errno != ENOTDIR) || dir.empty())
        RaiseLastError();
    if (!Files().MakeDirectories(dir)) {
        const std::string reason = GetLastErrorText();
        throw QuorvexError("Unable to create directory " + dir + ": " + reason);
    }
    if (!Files().OpenReadWrite(Name_))
        RaiseLastError();
}

void TTransferFileStream::DoClose()
{
    if (Files_ && Files_->IsOpen() && !Files_->Close())
        RaiseLastError();
}

int64_t TTransferFileStream::DoGetPosition()
{
    const int64_t position = Files().Seek(0, SEEK_CUR);
    if (position < 0)
        RaiseLastError();
    return position;
}

void TTransferFileStream::DoSetPosition(int64_t position)
{
    if (Files().Seek(position, SEEK_SET) < 0)
        RaiseLastError();
}

int64_t TTransferFileStream::DoGetSize()
{
    const int64_t size = Files().Size();
    if (size < 0)
        RaiseLastError();
    return size;
}

void TTransferFileStream::DoSetSize(int64_t size)
{
    if (!Files().Truncate(size))
        RaiseLastError();
}

void TTransferFileStream::DoReserveSpace(int64_t size)
{
    if (!Files().Reserve(size))
        RaiseLastError();
}

TSourceVersion TTransferFileStream::Version()
{
    TSourceVersion version;
    try {
        version.Size = DoGetSize();
        version.Modified = DoGetFileTime();
    } catch (const std::exception&) {
        // What cannot be read stays unknown.
    }
    return version;
}

int64_t TTransferFileStream::DoRead(void* buffer, int64_t count)
{
    const int64_t done = Files().Read(buffer, count);
    if (done < 0)
        RaiseLastError();
    return done;
}

int64_t TTransferFileStream::DoWrite(const void* buffer, int64_t count)
{
    const int64_t done = Files().Write(buffer, count);
    if (done < 0)
        RaiseLastError();
    return done;
}

TFileTime TTransferFileStream::DoGetFileTime()
{
    timespec time{};
    if (!Files().GetModifyTime(time))
        RaiseLastError();
    return FileTimeFromTimespec(time);
}

void TTransferFileStream::DoSetFileTime(TFileTime time)
{
    if (!Files().SetModifyTime(TimespecFromFileTime(time)))
        RaiseLastError();
}

uint32_t TTransferFileStream::DoGetAttributes()
{
    return Files().GetAttributes(Name_);
}

void TTransferFileStream::DoSetAttributes(uint32_t attributes)
{
    // A source whose attributes could not be read gives the invalid word: never apply it.
    // Failures to set attributes are ignored; they never stop a copy.
    if (attributes != platform::kInvalidAttributes)
        Files().SetAttributes(Name_, attributes & ~platform::kAttrDirectory);
}

bool TTransferFileStream::FileExists(const std::string& name)
{
    return !IsDrivePath(name) && Files().Exists(name);
}

std::optional<int64_t> TryKernelCopy(TTransferStream& source, TTransferStream& dest, int64_t block)
{
    // Progress is still reported every few milliseconds at disk speeds.
    constexpr int64_t kLeastKernelCopy = 8 * 1024 * 1024;
    // Only plain file streams: one whose reads or writes a subclass changes copies through them.
    if (typeid(source) != typeid(TTransferFileStream) || typeid(dest) != typeid(TTransferFileStream))
        return std::nullopt;
    auto* from = static_cast<TTransferFileStream*>(&source);
    auto* to = static_cast<TTransferFileStream*>(&dest);
    if (from->KernelCopyRefused_ || to->KernelCopyRefused_ || !from->Files_ || !to->Files_)
        return std::nullopt;
    const int64_t copied = platform::KernelCopy(*from->Files_, *to->Files_, std::max(block, kLeastKernelCopy));
    if (copied < 0) {
        from->KernelCopyRefused_ = to->KernelCopyRefused_ = true;
        return std::nullopt;
    }
    return copied;
}

bool CanWriteBehind(TTransferStream& source, TTransferStream& dest)
{
    return dynamic_cast<TTransferFileStream*>(&source) && dynamic_cast<TTransferFileStream*>(&dest)
           && (source.DirectBlock() > 0 || dest.DirectBlock() > 0);
}
