#include "transfer/TransferHTTPStream.h"

#include "core/DisplayFormats.h"
#include "core/Links.h"
#include "core/LogCodes.h"
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "platform/inet/HttpConnection.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

[[noreturn]] void FailSilently()
{
    throw QuorvexError("");
}

// An HTTP date ("Wed, 01 Jan 2020 00:00:00 GMT"), in English whatever the locale.
std::string HttpDate(TFileTime fileTime)
{
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const time_t time = TimespecFromFileTime(fileTime).tv_sec;
    tm parts{};
    gmtime_r(&time, &parts);
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT", days[parts.tm_wday], parts.tm_mday,
                  months[parts.tm_mon], parts.tm_year + 1900, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

// What "If-Range" names a version by: its entity tag, unless that is weak (which the
// header may not carry), else its modification time; empty when neither is known.
std::string IfRangeValue(const TSourceVersion& version)
{
    if (!version.ETag.empty() && version.ETag.rfind("W/", 0) != 0)
        return version.ETag;
    return version.Modified != 0 ? HttpDate(version.Modified) : std::string();
}

} // namespace

TTransferHTTPStream::TTransferHTTPStream(const std::string& name, const std::string& userName,
                                         const std::string& password, const TStreamSettings& settings)
    : TTransferStream(name), Session_{settings.UserAgent, settings.UseCookies, settings.Proxy}
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
        Session_, UserName_, Password_);
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

void TTransferHTTPStream::PlanRead(int64_t start, const TSourceVersion& known, std::span<char> firstBlock)
{
    PlannedStart_ = std::max<int64_t>(start, 0);
    Expected_ = known;
    if (Connection_)
        Connection_->PlanFirstRead(firstBlock);
}

void TTransferHTTPStream::Request(int64_t from)
{
    AtEnd_ = false;
    // The whole link, its query and credentials included.
    Connection().Open(Name_, from > 0 ? from : -1, from > 0 ? IfRangeValue(Expected_) : std::string());
    if (from > 0 && Connection().Status() == 416) {
        // Nothing lies at or after `from`: the resource ends there, or it is shorter now.
        Connection().Close();
        AtEnd_ = true;
        Position_ = from;
        return;
    }
    RefuseErrorStatus();
    // A server that ignores ranges, or whose resource is another version now, sends it whole.
    Position_ = Connection().Status() == 206 ? from : 0;
    if (const TSourceVersion version = Version(); version.Known())
        Expected_ = version;
}

void TTransferHTTPStream::DoOpenRead()
{
    Request(PlannedStart_);
}

void TTransferHTTPStream::DoSetPosition(int64_t position)
{
    // The current answer goes on from there.
    if (position == Position_ && (AtEnd_ || Connection().IsOpen()))
        return;
    if (Connection().IsOpen())
        Close();
    Request(position);
    if (Position_ != position) {
        // Its bytes must never land at the position: the copy starts over on this answer.
        Log(lcFailure, Translate("sRangeIgnored"), {FormatSize(SizeUnit, position)});
    }
}

void TTransferHTTPStream::DoClose()
{
    Connection().Close();
}

int64_t TTransferHTTPStream::DoRead(void* buffer, int64_t count)
{
    if (AtEnd_)
        return 0;
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
    return Connection_ && Connection_->ResourceSize() > 0;
}

TSourceVersion TTransferHTTPStream::Version()
{
    TSourceVersion version;
    if (!Connection_)
        return version;
    version.ETag = Connection_->ETag();
    if (const std::optional<time_t> time = Connection_->LastModified())
        version.Modified = FileTimeFromTimespec(timespec{*time, 0});
    version.Size = Connection_->ResourceSize();
    return version;
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
    // Not asked (CanGetAttributes): an HTTP resource has no attributes.
    FailSilently();
}

void TTransferHTTPStream::DoSetAttributes(uint32_t)
{
    FailSilently();
}
