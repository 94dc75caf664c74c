#include "transfer/TransferHTTPStream.h"

#include "config/MessageCatalogue.h"
#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/Links.h"
#include "core/LogCodes.h"
#include "core/QuorvexError.h"
#include "platform/inet/HttpConnection.h"

namespace {

[[noreturn]] void FailSilently()
{
    throw QuorvexError("");
}

} // namespace

TTransferHTTPStream::TTransferHTTPStream(const std::string& name, const std::string& userName,
                                         const std::string& password, const TStreamSettings& settings)
    : TTransferStream(name), UserAgent_(settings.UserAgent), UseCookies_(settings.UseCookies)
{
    ParseName();
    // The task's login wins over the link's; a task without one uses the link's.
    SetCredentials(userName, password);
}

TTransferHTTPStream::~TTransferHTTPStream() = default;

void TTransferHTTPStream::ParseName()
{
    Port_ = CrackName();
    Position_ = 0;
}

platform::inet::THttpConnection& TTransferHTTPStream::Connection()
{
    if (!Connection_)
        FailSilently();
    return *Connection_;
}

void TTransferHTTPStream::DoOpenConnection()
{
    // Nothing goes over the network yet: the requests connect.
    Connection_ = std::make_unique<platform::inet::THttpConnection>(
        platform::inet::TInetSession{UserAgent_, UseCookies_}, UserName_, Password_);
    Connection_->SetInterruptCheck([this] { ThrowIfInterrupted(); });
}

void TTransferHTTPStream::DoCloseConnection()
{
    Connection_.reset();
}

void TTransferHTTPStream::RefuseErrorStatus()
{
    if (Connection().Status() >= 400) {
        const std::string status = Connection().StatusLine();
        Connection().Close();
        throw QuorvexError(FormatMessage(Translate("sHttpStatusFailed"), {status}));
    }
}

void TTransferHTTPStream::DoOpenRead()
{
    // The whole link, its query and credentials included.
    Connection().Open(Name_);
    RefuseErrorStatus();
    Position_ = 0;
}

void TTransferHTTPStream::DoSetPosition(int64_t position)
{
    if (Connection_ && Connection_->IsOpen())
        Close();
    // The same link again, query and https included, from the position onwards.
    Connection().Open(Name_, position);
    RefuseErrorStatus();
    if (Connection().Status() == 206 || position == 0) {
        Position_ = position;
        return;
    }
    // The server sent the whole resource: its bytes must never land at the position, so
    // the copy starts over from the beginning on this answer.
    Log(lcFailure, Translate("sRangeIgnored"), {FormatSize(Options().iSizeType, position)});
    Position_ = 0;
}

void TTransferHTTPStream::DoClose()
{
    Connection().Close();
}

int64_t TTransferHTTPStream::DoRead(void* buffer, int64_t count)
{
    if (!Connection().IsOpen())
        FailSilently();
    const int64_t done = Connection().Read(static_cast<char*>(buffer), count);
    Position_ += done;
    return done;
}

int64_t TTransferHTTPStream::DoGetSize()
{
    // 64-bit: resources of 2 GiB and more are common.
    const int64_t size = Connection().ResourceSize();
    if (size < 0)
        FailSilently();
    return size;
}

bool TTransferHTTPStream::CanResume()
{
    return Connection_ && Connection_->ContentLength() > 0;
}

TFileTime TTransferHTTPStream::DoGetFileTime()
{
    const std::optional<time_t> time = Connection().LastModified();
    if (!time)
        FailSilently();
    return FileTimeFromTimespec(timespec{*time, 0});
}

std::string TTransferHTTPStream::GetResponseText()
{
    return Connection_ ? Connection_->LastResponse() : std::string();
}

void TTransferHTTPStream::RefuseWriting() const
{
    throw QuorvexError(FormatMessage(Translate("sNoSupportWrite"), {HostName_}));
}

void TTransferHTTPStream::DoOpenWrite()
{
    RefuseWriting();
}

int64_t TTransferHTTPStream::DoWrite(const void*, int64_t)
{
    RefuseWriting();
}

void TTransferHTTPStream::SetName(const std::string&)
{
    RefuseWriting();
}

bool TTransferHTTPStream::Exists()
{
    RefuseWriting();
}

bool TTransferHTTPStream::FileExists(const std::string&)
{
    RefuseWriting();
}

void TTransferHTTPStream::DoSetSize(int64_t)
{
    FailSilently();
}

void TTransferHTTPStream::DoSetFileTime(TFileTime)
{
    FailSilently();
}

uint32_t TTransferHTTPStream::DoGetAttributes()
{
    FailSilently();
}

void TTransferHTTPStream::DoSetAttributes(uint32_t)
{
    FailSilently();
}
