#pragma once

#include "transfer/StreamFactory.h"
#include "transfer/TransferStream.h"

#include <cstdint>
#include <memory>

namespace platform::inet {
class THttpConnection;
}

// A resource on a web server ("http://" or "https://"), read only. Opening asks for the
// whole resource, or for its tail from the planned start with a "Range" request;
// positioning elsewhere asks again, so a copy resumes whenever the server names the
// resource's length. A ranged request carries "If-Range" with the version the bytes before
// it came from, so that a changed resource comes whole instead of as a foreign tail.
class TTransferHTTPStream : public TTransferStream {
public:
    TTransferHTTPStream(const std::string& name, const std::string& userName, const std::string& password,
                        const TStreamSettings& settings);
    ~TTransferHTTPStream() override;

    bool CanResume() override;
    bool CanReserveSpace() override { return false; }
    // A web resource is never a destination.
    void SetName(const std::string& name) override;
    bool Exists() override;
    bool FileExists(const std::string& name) override;
    std::string GetResponseText() override;
    void PlanRead(int64_t start, const TSourceVersion& known, std::span<char> firstBlock) override;
    // ETag, Last-Modified and the resource's size of the current answer.
    TSourceVersion Version() override;

    uint16_t Port() const { return Port_; }

protected:
    void ParseName() override;
    int64_t DoGetPosition() override { return Position_; }
    void DoSetPosition(int64_t position) override;
    int64_t DoGetSize() override;
    void DoSetSize(int64_t) override;
    TFileTime DoGetFileTime() override;
    void DoSetFileTime(TFileTime) override;
    void DoOpenSession() override {}
    void DoOpenConnection() override;
    void DoOpenRead() override;
    void DoOpenWrite() override;
    void DoClose() override;
    void DoCloseConnection() override;
    void DoCloseSession() override {}
    int64_t DoRead(void* buffer, int64_t count) override;
    int64_t DoWrite(const void* buffer, int64_t count) override;
    uint32_t DoGetAttributes() override;
    void DoSetAttributes(uint32_t) override;
    bool CanGetAttributes() const override { return false; }

private:
    platform::inet::THttpConnection& Connection();
    // Asks for the resource from `from` on (the whole one for 0) and sets Position to where
    // the answer starts.
    void Request(int64_t from);
    // Fails the step when the server refused the request (an error page is no file).
    void RefuseErrorStatus();
    [[noreturn]] void RefuseWriting() const;

    platform::inet::TInetSession Session_;
    uint16_t Port_ = 80;
    int64_t Position_ = 0;
    int64_t PlannedStart_ = 0;
    // The version that ranged requests ask for: the planned one, then that of the last answer.
    TSourceVersion Expected_;
    // The server has nothing at or after the position (a range past the end): reads give 0.
    bool AtEnd_ = false;
    std::unique_ptr<platform::inet::THttpConnection> Connection_;
};
