#pragma once

#include "transfer/StreamFactory.h"
#include "transfer/TransferStream.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace platform::inet {
class TFtpConnection;
struct TFtpEntry;
}

// A file on an FTP server ("ftp://[user[:password]@]host[:port]/path"), read for a
// download or written for an upload. The data connection cannot start anywhere but at the
// beginning, so FTP copies never resume; the file's time comes from a one-file listing.
class TTransferFTPStream : public TTransferStream {
public:
    TTransferFTPStream(const std::string& name, const std::string& userName, const std::string& password,
                       const TStreamSettings& settings);
    ~TTransferFTPStream() override;

    bool CanResume() override { return false; }
    bool CanReserveSpace() override { return false; }
    void SetName(const std::string& name) override;
    bool Exists() override { return FileExists(Name_); }
    bool FileExists(const std::string& link) override;
    std::string GetResponseText() override;
    bool TranslatesLineEnds() const override { return Ascii_; }

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

    std::string UserAgent_;
    bool Ascii_ = false;
    bool Passive_ = false;
    bool UseCookies_ = true;
    uint16_t Port_ = 21;
    int64_t Position_ = 0;
    std::unique_ptr<platform::inet::TFtpConnection> Connection_;
    // The answer of ListFile, asked once for the file's time and again for its attributes.
    std::unique_ptr<std::optional<platform::inet::TFtpEntry>> Listed_;
};
