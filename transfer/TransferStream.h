#pragma once

#include "core/DisplayFormats.h"
#include "core/FileTime.h"
#include "core/MessageFormat.h"
#include "transfer/SourceVersion.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

// Where a stream writes its log entries: (code, format, arguments), the code a TLogCode.
// The format is a message text of the catalogue, or a literal text when no arguments come
// with it.
using TLogSink = std::function<void(int code, const std::string& format, const TFormatArgs& args)>;

// One end of a transfer: a local file, a file on a share, an FTP or an HTTP resource.
// The public operations are logged steps: each calls a primitive, writes its success,
// failure and server-reply entries through OnLog, and then passes a failure on or
// absorbs it (returning a neutral value), as fixed per operation. Subclasses implement
// the primitives and raise QuorvexError with a text when one fails.
//
// A stream is used once, by one thread: open session, connection, then read or write,
// then close, close connection, close session. Destroying it closes nothing.
class TTransferStream {
public:
    virtual ~TTransferStream() = default;
    TTransferStream(const TTransferStream&) = delete;
    TTransferStream& operator=(const TTransferStream&) = delete;

    // Logged steps that pass their failure on.
    void OpenSession();
    void OpenConnection();
    void OpenRead();
    void OpenWrite();
    // Files fill the buffer unless they end first; network streams hand over what has
    // arrived. Either way a read gives at least 1 byte, and 0 only at the end of the data.
    int64_t Read(void* buffer, int64_t count);
    int64_t Write(const void* buffer, int64_t count);

    // Logged steps that absorb their failure and return a neutral value.
    void CloseSession();
    void CloseConnection();
    bool Close();  // false when the close failed
    TFileTime GetFileTime();
    void SetFileTime(TFileTime time);  // nothing for a zero time
    int64_t GetPosition();
    void SetPosition(int64_t position);
    int64_t GetSize();
    void SetSize(int64_t size);
    // Allocates the space of `size` bytes without changing the length; false when it failed.
    bool ReserveSpace(int64_t size);
    uint32_t GetAttributes();
    void SetAttributes(uint32_t attributes);  // nothing for 0

    // Unlogged operations.
    virtual bool CanSetFileInfo() { return false; }
    virtual bool CanResume() = 0;
    virtual bool CanReserveSpace() = 0;
    virtual void SetName(const std::string& name) = 0;
    virtual bool Exists() = 0;
    virtual bool FileExists(const std::string& name) = 0;
    virtual std::string GetResponseText() = 0;
    // Line ends are converted on the way (an FTP text-mode transfer), so the byte count may
    // differ from the size the server announced.
    virtual bool TranslatesLineEnds() const { return false; }
    // Reads and writes of at least this many bytes pass without a copy on the way; smaller
    // ones are gathered into blocks of that size. 0 when any size passes.
    virtual int64_t DirectBlock() { return 0; }
    // Where the coming OpenRead should start reading, and the version of the source that
    // the bytes before that came from. A stream that can start anywhere then asks for that
    // part alone, in its first request; a later SetPosition to the same place asks nothing.
    // firstBlock is where the first Read will put its bytes: a stream whose answer brings
    // body bytes along puts them there at once, and that Read finds them in place.
    virtual void PlanRead(int64_t /*start*/, const TSourceVersion& /*known*/, std::span<char> /*firstBlock*/) {}
    // The version of the open source, as far as it tells.
    virtual TSourceVersion Version() { return {}; }
    // The system's text for the calling thread's last error (errno); also kept as LastErrorText.
    std::string GetLastErrorText();
    // dir + base + "[n]." + extension for the first n from 1 whose file does not exist.
    std::string MakeUniqueName();

    const std::string& LastErrorText() const { return LastErrorText_; }
    const std::string& Name() const { return Name_; }
    const std::string& UserName() const { return UserName_; }
    const std::string& Password() const { return Password_; }
    const std::string& HostName() const { return HostName_; }
    const std::string& Path() const { return Path_; }
    // 0 after OpenRead, 1 after OpenWrite.
    uint8_t Direction() const { return Direction_; }

    TLogSink OnLog;
    // When true, successful steps also log the server's last reply.
    bool DetailedInfo = true;
    // The unit of the sizes its log entries name.
    TSizeUnit SizeUnit = suAuto;
    // Asked while a network stream waits on its peer: true gives the wait up, so that a
    // user's stop never waits for a slow or silent server.
    std::function<bool()> Interrupted;

protected:
    // Stores the name; an empty name fails with sEmptyFileName (nothing is logged: the
    // owner has not set OnLog yet). Subclass constructors then call their ParseName.
    explicit TTransferStream(const std::string& name);
    // A login given to the constructor wins over the one parsed from the name; without a
    // user name it is no login, and the name's stays.
    void SetCredentials(const std::string& userName, const std::string& password);
    // Splits a link name into HostName, Path and the link's own credentials, and returns its
    // port; a name that is no link fails with sInvalidLinkType.
    uint16_t CrackName();

    virtual void ParseName() = 0;
    virtual int64_t DoGetPosition() = 0;
    virtual void DoSetPosition(int64_t position) = 0;
    virtual int64_t DoGetSize() = 0;
    virtual void DoSetSize(int64_t size) = 0;
    // Fails without a message: only streams that can reserve space do.
    virtual void DoReserveSpace(int64_t size);
    virtual TFileTime DoGetFileTime() = 0;
    virtual void DoSetFileTime(TFileTime time) = 0;
    virtual void DoOpenSession() = 0;
    virtual void DoOpenConnection() = 0;
    virtual void DoOpenRead() = 0;
    virtual void DoOpenWrite() = 0;
    virtual void DoClose() = 0;
    virtual void DoCloseConnection() = 0;
    virtual void DoCloseSession() = 0;
    virtual int64_t DoRead(void* buffer, int64_t count) = 0;
    virtual int64_t DoWrite(const void* buffer, int64_t count) = 0;
    virtual uint32_t DoGetAttributes() = 0;
    virtual void DoSetAttributes(uint32_t attributes) = 0;
    // False for a stream that keeps no attributes: asking for them fails at once, without
    // raising a failure for every file.
    virtual bool CanGetAttributes() const { return true; }

    // Raises QuorvexError with GetLastErrorText(): call right after the failing system call.
    [[noreturn]] void RaiseLastError();
    // Throws when Interrupted says so: the check that network waits call.
    void ThrowIfInterrupted() const;
    void Log(int code, const std::string& format, const TFormatArgs& args = {});

    std::string LastErrorText_;
    std::string Name_;
    std::string UserName_;
    std::string Password_;
    std::string HostName_;
    std::string Path_;
    uint8_t Direction_ = 0;

private:
    // Logout: closing a session or connection, which logs no server reply on failure.
    // Failures of openings and of data steps pass on; the others are absorbed.
    enum class TStepKind { Opening, Closing, Logout, Query, Data };
    // Where a size stands among the arguments of a step's entries, after the subject.
    enum class TSizeArg { None, Before, After };
    // The arguments of the entries are made only when an entry is written: most steps
    // succeed without one, many times a file.
    struct TStep {
        TStepKind Kind;
        const char* SuccessId;   // nullptr: no success entry
        const char* FailureId;
        const std::string& Subject;  // the host or the file the entries name
        TSizeArg SizeArg = TSizeArg::None;
        int64_t Size = 0;
    };
    TFormatArgs StepArgs(const TStep& step) const;
    // Runs a primitive as a logged step; false when it failed and the failure was absorbed.
    template <class Primitive>
    bool RunStep(const TStep& step, Primitive&& primitive);
    void LogResponse(int code);
    // Success entries of sessions and connections name the host, and only when there is one.
    const char* IfHost(const char* id) const { return HostName_.empty() ? nullptr : id; }
};
