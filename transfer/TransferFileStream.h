#pragma once

#include "platform/files/FileAccess.h"
#include "transfer/TransferStream.h"

#include <memory>
#include <optional>

// A local file (an absolute path) or a file on a share (a UNC path "\\server\share\...").
// Opening the connection logs in to the share with the stream's credentials: none means
// guest. Drive paths ("C:\...") do not exist here and are refused when opened.
class TTransferFileStream : public TTransferStream {
public:
    explicit TTransferFileStream(const std::string& name);
    TTransferFileStream(const std::string& name, const std::string& userName, const std::string& password);
    ~TTransferFileStream() override;

    bool CanSetFileInfo() override { return true; }
    bool CanResume() override { return true; }
    // Shares cannot reserve space without lengthening the file, which would hide where a
    // partial copy's data ends.
    bool CanReserveSpace() override { return HostName_.empty(); }
    void SetName(const std::string& name) override { Name_ = name; }
    bool Exists() override { return FileExists(Name_); }
    bool FileExists(const std::string& name) override;
    std::string GetResponseText() override { return {}; }
    // Size and time of the open file.
    TSourceVersion Version() override;
    int64_t DirectBlock() override { return Files().DirectBlock(); }

protected:
    void ParseName() override;
    int64_t DoGetPosition() override;
    void DoSetPosition(int64_t position) override;
    int64_t DoGetSize() override;
    void DoSetSize(int64_t size) override;
    void DoReserveSpace(int64_t size) override;
    TFileTime DoGetFileTime() override;
    void DoSetFileTime(TFileTime time) override;
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
    void DoSetAttributes(uint32_t attributes) override;

private:
    friend std::optional<int64_t> TryKernelCopy(TTransferStream& source, TTransferStream& dest, int64_t block);

    // The local disk, or the share login (made with the credentials known at first use).
    platform::TFileAccess& Files();
    void RefuseDrivePath() const;

    std::unique_ptr<platform::TFileAccess> Files_;
    // The kernel refused to copy from or into this file once: it is not asked again.
    bool KernelCopyRefused_ = false;
};

// Copies the next bytes from source to dest inside the kernel when both are local files,
// from and to their positions: up to several blocks at once, so that a large file takes few
// calls; gives the count, 0 at the end of the source. Gives
// nothing when the kernel cannot copy between them; the caller then copies the block through
// its buffer, whose logged reads and writes also report a failure that stopped the kernel.
std::optional<int64_t> TryKernelCopy(TTransferStream& source, TTransferStream& dest, int64_t block);

// True when both ends are files and one of them is on a share, whose blocks are large: a copy
// may then write one block, from another thread, while it reads the next.
bool CanWriteBehind(TTransferStream& source, TTransferStream& dest);
