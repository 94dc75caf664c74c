#pragma once

#include "platform/inet/InetHandle.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

struct curl_slist;

namespace platform::inet {

// GET requests of one stream on one handle: the whole resource, or its tail from an offset
// (a "Range" request). Redirects are followed; https checks the server's certificate and
// name. Credentials, when given, are sent to the server.
class THttpConnection {
public:
    THttpConnection(const TInetSession& session, std::string user, std::string password);
    ~THttpConnection();

    // Given up by throwing from it while waiting on the network.
    void SetInterruptCheck(std::function<void()> check) { Handle_.CheckInterrupted = std::move(check); }

    // Sends a GET for url (from byte `from` onwards when it is 0 or more) and waits for the
    // answer's head. Throws when no answer came (unreachable host, certificate refused ...).
    // With ifRange (an entity tag or a date) the server sends the part only while the
    // resource is still that version, and the whole new resource otherwise.
    void Open(const std::string& url, int64_t from = -1, const std::string& ifRange = {});
    bool IsOpen() const { return Open_; }
    // Drops what is left of the answer.
    void Close();
    // The block the first Read will fill (see TInetHandle::PlanFirstRead).
    void PlanFirstRead(std::span<char> block) { Handle_.PlanFirstRead(block); }
    int64_t Read(char* buffer, int64_t count) { return Handle_.Read(buffer, count); }

    int Status() const;
    std::string StatusLine() const;
    // Content-Length of the answer; -1 when it names none.
    int64_t ContentLength() const;
    // The whole resource's size: the total of a partial (or unsatisfiable range) answer's
    // Content-Range, else the Content-Length; -1 when unknown.
    int64_t ResourceSize() const;
    // The answer's ETag as sent; empty when absent.
    std::string ETag() const;
    // Last-Modified (UTC); nothing when absent or unreadable.
    std::optional<time_t> LastModified() const;
    // The last answer's status line and headers.
    std::string LastResponse() const;

private:
    TInetHandle Handle_;
    std::string User_;
    std::string Password_;
    bool Open_ = false;
    // The extra header lines of the current request; libcurl reads them while it runs.
    curl_slist* Headers_ = nullptr;
    // What the answer's head says, read once per head: every step of a copy asks.
    struct THeadFields {
        uint64_t Version = ~uint64_t(0);
        int Status = 0;
        int64_t ContentLength = -1;
        // The total of Content-Range; -1 when it names none.
        int64_t RangeTotal = -1;
        std::string ETag;
        std::optional<time_t> LastModified;
        // LastResponse, made at its first use: with detailed logging every step of a copy
        // writes it.
        std::optional<std::string> Response;
    };
    const THeadFields& Head() const;

    mutable THeadFields Head_;
};

} // namespace platform::inet
