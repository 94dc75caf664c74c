#pragma once

#include "transfer/StreamFactory.h"
#include "transfer/TransferStream.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>

namespace platform::inet {
class TFtpConnection;
struct TFtpEntry;
}

// A file on an FTP server ("ftp://[user[:password]@]host[:port]/path"), read for a
// download or written for an upload. A binary download can start anywhere (REST), so it
// resumes; text mode always starts at the beginning, since its byte counts are not the
// server's. The file's size and time (MDTM) tell one version of it from the next.
class TTransferFTPStream : public TTransferStream {
public:
    TTransferFTPStream(const std::string& name, const std::string& userName, const std::string& password,
                       const TStreamSettings& settings);
    ~TTransferFTPStream() override;

    bool CanResume() override { return Reading_ && !Ascii_ && Size_ >= 0; }
    bool CanReserveSpace() override { return false; }
    void SetName(const std::string& name) override;
    bool Exists() override { return FileExists(Name_); }
    bool FileExists(const std::string& link) override;
    std::string GetResponseText() override;
    bool TranslatesLineEnds() const override { return Ascii_; }
    void PlanRead(int64_t start, const TSourceVersion&, std::span<char> firstBlock) override;
    // Size and modification time of the file being read.
    TSourceVersion Version() override;

    uint16_t Port() const { return Port_; }

protected:
    void ParseName() override;
    int64_t DoGetPosition() override { return Position_; }
    void DoSetPosition(int64_t) override;
    int64_t DoGetSize() override;
    void DoSetSize(int64_t) override;
    TFileTime DoGetFileTime() override;
    void DoSetFileTime(TFileTime) override;
    void DoOpenSession() override;
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

private:
    platform::inet::TFtpConnection& Connection();
    // What the server tells about the file; nothing when it is not listed.
    std::optional<platform::inet::TFtpEntry> ListFile();
    // Opens the file for reading from `start`, learning its size and time on the way.
    void ReadFrom(int64_t start);

    platform::inet::TInetSession Session_;
    bool Ascii_ = false;
    bool Passive_ = false;
    uint16_t Port_ = 21;
    int64_t Position_ = 0;
    bool Reading_ = false;
    // The file was opened for reading: it exists.
    bool ReadOpened_ = false;
    int64_t PlannedStart_ = 0;
    int64_t Size_ = -1;        // of the file being read; -1 when unknown
    time_t Modified_ = -1;     // its modification time (UTC); -1 when unknown
    // The start lies at or past the end of the file: there is nothing to read.
    bool AtEnd_ = false;
    std::unique_ptr<platform::inet::TFtpConnection> Connection_;
    // The answer of ListFile, asked once for the file's time and again for its attributes.
    std::unique_ptr<std::optional<platform::inet::TFtpEntry>> Listed_;
};
