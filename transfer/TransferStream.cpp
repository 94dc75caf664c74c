#include "transfer/TransferStream.h"

#include "core/DisplayFormats.h"
#include "core/Links.h"
#include "core/LogCodes.h"
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"

#include <cerrno>
#include <cstring>

namespace {

// System texts may end in CR LF; a log line holds them as one line.
std::string FoldLineBreaks(std::string text)
{
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.replace(at, 2, " ");
    return text;
}

} // namespace

TTransferStream::TTransferStream(const std::string& name)
{
    if (name.empty())
        throw QuorvexError(Translate("sEmptyFileName"));
    Name_ = name;
}

void TTransferStream::SetCredentials(const std::string& userName, const std::string& password)
{
    // A task without a login of its own logs in as its link says ("ftp://user:pw@host/").
    if (userName.empty())
        return;
    UserName_ = userName;
    Password_ = password;
}

uint16_t TTransferStream::CrackName()
{
    TLinkParts parts;
    if (!CrackLink(Name_, parts))
        throw QuorvexError(FormatMessage(Translate("sInvalidLinkType"), {Name_}));
    HostName_ = parts.Host;
    Path_ = parts.Path;
    UserName_ = parts.User;
    Password_ = parts.Password;
    return parts.Port;
}

void TTransferStream::Log(int code, const std::string& format, const TFormatArgs& args)
{
    if (OnLog)
        OnLog(code, format, args);
}

void TTransferStream::LogResponse(int code)
{
    LastErrorText_ = GetResponseText();
    if (!LastErrorText_.empty())
        Log(code, LastErrorText_);
}

TFormatArgs TTransferStream::StepArgs(const TStep& step) const
{
    switch (step.SizeArg) {
    case TSizeArg::Before: return {FormatSize(SizeUnit, step.Size), step.Subject};
    case TSizeArg::After: return {step.Subject, FormatSize(SizeUnit, step.Size)};
    case TSizeArg::None: break;
    }
    return {step.Subject};
}

template <class Primitive>
bool TTransferStream::RunStep(const TStep& step, Primitive&& primitive)
{
    try {
        primitive();
    } catch (const std::exception& error) {
        Log(lcFailure, Translate(step.FailureId), StepArgs(step));
        LastErrorText_ = FoldLineBreaks(error.what());
        if (!LastErrorText_.empty())
            Log(lcFailure, LastErrorText_);
        // A failed logout has no reply worth showing.
        if (step.Kind != TStepKind::Logout)
            LogResponse(lcFailureReply);
        // Opening and moving data are what the copy cannot go on without.
        if (step.Kind == TStepKind::Opening || step.Kind == TStepKind::Data)
            throw;
        return false;
    }
    switch (step.Kind) {
    case TStepKind::Opening:
        if (step.SuccessId)
            Log(lcStepSucceeded, Translate(step.SuccessId), StepArgs(step));
        if (DetailedInfo)
            LogResponse(lcInformation);
        break;
    case TStepKind::Closing:
    case TStepKind::Logout:
        if (DetailedInfo)
            LogResponse(lcInformation);
        if (step.SuccessId)
            Log(lcStepSucceeded, Translate(step.SuccessId), StepArgs(step));
        break;
    case TStepKind::Query:
        if (DetailedInfo)
            LogResponse(lcInformation);
        break;
    case TStepKind::Data:
        break;
    }
    return true;
}

void TTransferStream::OpenSession()
{
    RunStep({TStepKind::Opening, IfHost("sSessionInitialized"), "sSessionInitializeFailed", HostName_},
            [&] { DoOpenSession(); });
}

void TTransferStream::CloseSession()
{
    RunStep({TStepKind::Logout, IfHost("sSessionFinalized"), "sSessionFinalizeFailed", HostName_},
            [&] { DoCloseSession(); });
}

void TTransferStream::OpenConnection()
{
    RunStep({TStepKind::Opening, IfHost("sConnectionInitialized"), "sConnectionInitializeFailed", HostName_},
            [&] { DoOpenConnection(); });
}

void TTransferStream::CloseConnection()
{
    RunStep({TStepKind::Logout, IfHost("sConnectionFinalized"), "sConnectionFinalizeFailed", HostName_},
            [&] { DoCloseConnection(); });
}

void TTransferStream::OpenRead()
{
    RunStep({TStepKind::Opening, "sReadStreamOpened", "sReadStreamOpenFailed", Name_}, [&] {
        DoOpenRead();
        Direction_ = 0;
    });
}

void TTransferStream::OpenWrite()
{
    RunStep({TStepKind::Opening, "sWriteStreamOpened", "sWriteStreamOpenFailed", Name_}, [&] {
        DoOpenWrite();
        Direction_ = 1;
    });
}

bool TTransferStream::Close()
{
    return RunStep({TStepKind::Closing, "sStreamClosed", "sStreamCloseFailed", Name_}, [&] { DoClose(); });
}

TFileTime TTransferStream::GetFileTime()
{
    TFileTime time = 0;
    if (!RunStep({TStepKind::Query, nullptr, "sGetDateFailed", Name_}, [&] { time = DoGetFileTime(); }))
        return 0;
    return time;
}

void TTransferStream::SetFileTime(TFileTime time)
{
    if (time != 0)
        RunStep({TStepKind::Query, nullptr, "sSetDateFailed", Name_}, [&] { DoSetFileTime(time); });
}

int64_t TTransferStream::GetPosition()
{
    int64_t position = 0;
    if (!RunStep({TStepKind::Query, nullptr, "sGetPositionFailed", Name_}, [&] { position = DoGetPosition(); }))
        return 0;
    return position;
}

void TTransferStream::SetPosition(int64_t position)
{
    RunStep({TStepKind::Query, nullptr, "sSetPositionFailed", Name_, TSizeArg::After, position},
            [&] { DoSetPosition(position); });
}

int64_t TTransferStream::GetSize()
{
    int64_t size = 0;
    if (!RunStep({TStepKind::Query, nullptr, "sGetSizeFailed", Name_}, [&] { size = DoGetSize(); }))
        return 0;
    return size;
}

void TTransferStream::SetSize(int64_t size)
{
    RunStep({TStepKind::Query, nullptr, "sSetSizeFailed", Name_}, [&] { DoSetSize(size); });
}

bool TTransferStream::ReserveSpace(int64_t size)
{
    return RunStep({TStepKind::Query, nullptr, "sReserveSpaceFailed", Name_, TSizeArg::Before, size},
                   [&] { DoReserveSpace(size); });
}

void TTransferStream::DoReserveSpace(int64_t)
{
    throw QuorvexError("");
}

int64_t TTransferStream::Read(void* buffer, int64_t count)
{
    int64_t done = 0;
    RunStep({TStepKind::Data, nullptr, "sReadDataFailed", Name_}, [&] { done = DoRead(buffer, count); });
    return done;
}

int64_t TTransferStream::Write(const void* buffer, int64_t count)
{
    int64_t done = 0;
    RunStep({TStepKind::Data, nullptr, "sWriteDataFailed", Name_}, [&] { done = DoWrite(buffer, count); });
    return done;
}

uint32_t TTransferStream::GetAttributes()
{
    const TStep step{TStepKind::Query, nullptr, "sGetAttributesFailed", Name_};
    if (!CanGetAttributes()) {
        // No server was asked: the failure has no reply to show.
        Log(lcFailure, Translate(step.FailureId), StepArgs(step));
        LastErrorText_.clear();
        return 0;
    }
    uint32_t attributes = 0;
    if (!RunStep(step, [&] { attributes = DoGetAttributes(); }))
        return 0;
    return attributes;
}

void TTransferStream::SetAttributes(uint32_t attributes)
{
    if (attributes != 0)
        RunStep({TStepKind::Query, nullptr, "sSetAttributesFailed", Name_},
                [&] { DoSetAttributes(attributes); });
}

std::string TTransferStream::GetLastErrorText()
{
    const int code = errno;
    char buffer[1024];
    // GNU strerror_r may return a static text instead of filling the buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    LastErrorText_ = text ? text : "";
    if (LastErrorText_.empty())
        LastErrorText_ = FormatMessage(Translate("sErrorCode"), {int64_t(code)});
    return LastErrorText_;
}

void TTransferStream::RaiseLastError()
{
    throw QuorvexError(GetLastErrorText());
}

void TTransferStream::ThrowIfInterrupted() const
{
    if (Interrupted && Interrupted())
        throw QuorvexError(Translate("sInetInterrupted"));
}

std::string TTransferStream::MakeUniqueName()
{
    const std::string base = ExtractBaseName(Name_);
    const std::string extension = ExtractExtension(Name_);
    const std::string dir = IncludeTrailingDelimiter(ExtractDir(Name_));
    // A name without an extension gets no trailing dot: "report[1]", not "report[1].".
    const std::string suffix = extension.empty() ? std::string() : "." + extension;
    std::string candidate;
    for (uint64_t n = 1;; ++n) {
        candidate = dir + base + "[" + std::to_string(n) + "]" + suffix;
        if (!FileExists(candidate))
            return candidate;
    }
}
