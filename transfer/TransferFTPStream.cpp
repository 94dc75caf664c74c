#include "transfer/TransferFTPStream.h"

#include "core/Links.h"
#include "core/QuorvexError.h"
#include "platform/inet/FtpConnection.h"

#include <utility>

namespace {

constexpr uint32_t kAttributeNormal = 0x80;

[[noreturn]] void FailSilently()
{
    throw QuorvexError("");
}

TFileTime FileTimeFromUnix(time_t time)
{
    return FileTimeFromTimespec(timespec{time, 0});
}

// A server path split into its folder and the file's name. Only "/" divides it: a "\\" or
// ":" is part of a name on the server.
std::pair<std::string, std::string> SplitServerPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"/", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

} // namespace

TTransferFTPStream::TTransferFTPStream(const std::string& name, const std::string& userName,
                                       const std::string& password, const TStreamSettings& settings)
    : TTransferStream(name), UserAgent_(settings.UserAgent), Ascii_(settings.Ascii), Passive_(settings.Passive),
      UseCookies_(settings.UseCookies)
{
    ParseName();
    // The task's login wins over the link's; a task without one uses the link's.
    SetCredentials(userName, password);
}

TTransferFTPStream::~TTransferFTPStream() = default;

void TTransferFTPStream::ParseName()
{
    Port_ = CrackName();
    if (Path_.empty())
        Path_.push_back('/');
}

void TTransferFTPStream::SetName(const std::string& name)
{
    // The path follows the new name: a renamed upload must never overwrite the very file
    // the rename avoided.
    const std::string user = UserName_;
    const std::string password = Password_;
    Name_ = name;
    ParseName();
    SetCredentials(user, password);
}

platform::inet::TFtpConnection& TTransferFTPStream::Connection()
{
    if (!Connection_)
        FailSilently();
    return *Connection_;
}

void TTransferFTPStream::DoOpenSession()
{
    // The session is the agent name and the cookie switch; the network comes with the connection.
}

void TTransferFTPStream::DoOpenConnection()
{
    Connection_ = std::make_unique<platform::inet::TFtpConnection>(
        platform::inet::TInetSession{UserAgent_, UseCookies_},
        platform::inet::TFtpLogin{HostName_, Port_, UserName_, Password_, Passive_});
    Connection_->SetInterruptCheck([this] { ThrowIfInterrupted(); });
    Connection_->Login();
}

void TTransferFTPStream::DoCloseConnection()
{
    Connection_.reset();
}

void TTransferFTPStream::DoOpenRead()
{
    Connection().OpenFile(Path_, false, Ascii_);
    Position_ = 0;
}

void TTransferFTPStream::DoOpenWrite()
{
    Connection().OpenFile(Path_, true, Ascii_);
    Position_ = 0;
}

void TTransferFTPStream::DoClose()
{
    if (Connection_)
        Connection_->CloseFile();
}

int64_t TTransferFTPStream::DoRead(void* buffer, int64_t count)
{
    const int64_t done = Connection().Read(static_cast<char*>(buffer), count);
    Position_ += done;
    return done;
}

int64_t TTransferFTPStream::DoWrite(const void* buffer, int64_t count)
{
    Connection().Write(static_cast<const char*>(buffer), count);
    Position_ += count;
    return count;
}

int64_t TTransferFTPStream::DoGetSize()
{
    const int64_t size = Connection().FileOpen() ? Connection().OpenFileSize() : -1;
    if (size < 0)
        FailSilently();
    return size;
}

std::optional<platform::inet::TFtpEntry> TTransferFTPStream::ListFile()
{
    const auto [dir, name] = SplitServerPath(Path_);
    try {
        return Connection().FindFile(dir, name);
    } catch (const std::exception&) {
        // A folder that cannot be entered fails the query without words of its own.
        FailSilently();
    }
}

TFileTime TTransferFTPStream::DoGetFileTime()
{
    const std::optional<platform::inet::TFtpEntry> entry = ListFile();
    if (!entry)
        return 0;
    // The server names the modification time alone, in UTC already.
    if (entry->Time < 0)
        FailSilently();
    return FileTimeFromUnix(entry->Time);
}

uint32_t TTransferFTPStream::DoGetAttributes()
{
    return ListFile() ? kAttributeNormal : 0;
}

bool TTransferFTPStream::FileExists(const std::string& link)
{
    TLinkParts parts;
    if (!CrackLink(link, parts) || !Connection_)
        return false;
    // The same decoded path that an upload to the link writes.
    const auto [dir, name] = SplitServerPath(parts.Path);
    try {
        return Connection_->FindFile(dir, name).has_value();
    } catch (const std::exception&) {
        return false;
    }
}

std::string TTransferFTPStream::GetResponseText()
{
    return Connection_ ? Connection_->LastResponse() : std::string();
}

void TTransferFTPStream::DoSetPosition(int64_t)
{
    FailSilently();
}

void TTransferFTPStream::DoSetSize(int64_t)
{
    FailSilently();
}

void TTransferFTPStream::DoSetFileTime(TFileTime)
{
    FailSilently();
}

void TTransferFTPStream::DoSetAttributes(uint32_t)
{
    FailSilently();
}
