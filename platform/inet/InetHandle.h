#pragma once

#include "platform/inet/InetSession.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

typedef void CURL;
typedef void CURLM;

namespace platform::inet {

// One libcurl easy handle, driven by the calling thread through a multi handle that holds
// the connections. Requests run on it one after another, so a connection (with its FTP
// login) and the cookies carry over from one request to the next; the connections also
// carry over to the next stream for the same server and login, and the library's handle
// to the next stream of the same session (see ConnectionPool.h), the cookies never.
// Bodies move block by block: a read
// pulls from the network only while the caller's block has room, so a full block holds
// the transfer back and nothing piles up in memory.
class TInetHandle {
public:
    explicit TInetHandle(const TInetSession& session);
    ~TInetHandle();
    TInetHandle(const TInetHandle&) = delete;
    TInetHandle& operator=(const TInetHandle&) = delete;

    // Called while waiting on the network; it may throw to give the wait up (the request
    // is then dropped when it is closed).
    std::function<void()> CheckInterrupted;

    // The handle to set the next request's options on (URL, method, range ...). Options
    // stay set until changed; ResetRequestOptions clears those a request may have set, and
    // keeps the session's (agent, cookies, time limits).
    CURL* Easy() const { return Easy_; }
    void ResetRequestOptions();
    // The next request's link, and its login (none for an empty user): set through these,
    // so that the request runs on connections made for that server and login.
    void SetUrl(const std::string& url);
    void SetLogin(const std::string& user, const std::string& password);

    // Takes the connections for the request set up (SetUrl, SetLogin) and tells whether the
    // last request on them succeeded, so that their login held: it need not be tried again.
    bool TakeProvenConnections();
    // Runs a request that moves no body to its end; throws QuorvexError on failure.
    void Perform();
    // Starts a download and waits until headReady() holds, body bytes arrive or the request
    // ends. Throws when the request failed before any of its body came.
    void StartDownload(const std::function<bool()>& headReady);
    // Starts an upload and waits until the server takes data; throws when it refused.
    void StartUpload();
    // The block the coming first Read will fill: body bytes that arrive before that read
    // (with the head) go there at once, and a Read into that block finds them in place,
    // without a copy.
    void PlanFirstRead(std::span<char> block);
    // Hands over what has arrived, up to count bytes, waiting until at least 1 byte has;
    // 0 means that the body ended. A transfer that failed hands over every byte that came
    // before the failure first and throws on the read after them, so a cut body never
    // passes for a whole one and none of its bytes is lost.
    int64_t Read(char* buffer, int64_t count);
    // Hands the whole block to the upload; throws when the transfer failed.
    void Write(const char* buffer, int64_t count);
    // Ends the upload's body and waits for the server to confirm it; throws on failure.
    void FinishUpload();
    // Drops a request that still runs; its connection is closed.
    void Abort();

    bool Running() const { return Running_; }
    // libcurl's result of the last request that ended (0 for success).
    int Result() const { return Result_; }
    // Header lines (HTTP) or reply lines (FTP) of the current request, line ends removed.
    const std::vector<std::string>& Lines() const { return Lines_; }
    // Changes whenever Lines does.
    uint64_t LinesVersion() const { return LinesVersion_; }
    // What libcurl reported for the last failure: its detail when it gave one.
    std::string ErrorText() const;

private:
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static size_t OnUploadData(char* data, size_t size, size_t count, void* self);
    static size_t OnHeaderLine(char* data, size_t size, size_t count, void* self);

    void SetSessionOptions();
    // The options that point at the handle's owner (callback data, error buffer): this
    // object, or none while the handle waits for its next owner.
    void SetOwnerOptions(TInetHandle* owner);
    void SetProxyOptions();
    // Takes the multi handle for the next request's server and login.
    void TakeConnections();
    // Gives the multi handle (and its connections) back for later handles.
    void GiveConnections();
    void Begin();
    // Begin, then DriveUntil; a request that failed on a kept connection before handing
    // anything over runs once more on a new one.
    void BeginAndDrive(const std::function<bool()>& done);
    // Drives the transfer until done() holds or the request ends.
    void DriveUntil(const std::function<bool()>& done);
    void Finish();
    // Ends the plan of the first read: the bytes that came into the planned block when the
    // read is into that block, else 0, with those bytes put first in line.
    int64_t TakePlanned(char* buffer, int64_t count);
    // Hands over, up to count bytes, what the library held back for a full block, without
    // waiting for more; never throws.
    int64_t TakeHeldBack(char* buffer, int64_t count);
    [[noreturn]] void RaiseFailure() const;
    bool Failed() const;
    // The last request ran on a connection that an earlier one had made.
    bool ConnectionWasKept() const;

    TInetSession Session_;
    std::string RouteKey_;
    // What the handle's session options were set from (see connection_pool::TakeHandle).
    std::string SessionKey_;
    CURL* Easy_ = nullptr;
    CURLM* Multi_ = nullptr;
    std::string MultiKey_;
    // The last request on Multi_ succeeded (see TakeProvenConnections).
    bool Proven_ = false;
    std::string Url_;
    std::string User_;
    std::string Password_;
    bool Added_ = false;
    bool Running_ = false;
    int Result_ = 0;
    char ErrorBuffer_[256] = {};
    std::vector<std::string> Lines_;
    uint64_t LinesVersion_ = 0;
    std::string PartialLine_;

    // Download: the caller's block being filled (the planned one until the first read),
    // and what arrived beyond it.
    std::span<char> Planned_;
    char* Target_ = nullptr;
    int64_t TargetLeft_ = 0;
    std::vector<char> Spill_;
    size_t SpillAt_ = 0;
    bool BodyStarted_ = false;
    bool BodyPaused_ = false;

    // Upload: the caller's block being sent.
    const char* Source_ = nullptr;
    int64_t SourceLeft_ = 0;
    bool UploadAsked_ = false;
    bool UploadEnded_ = false;
    bool UploadPaused_ = false;
};

} // namespace platform::inet
