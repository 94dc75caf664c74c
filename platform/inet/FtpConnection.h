#pragma once

#include "platform/inet/InetHandle.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace platform::inet {

struct TFtpLogin {
    std::string Host;
    uint16_t Port = 21;
    std::string User;       // empty: anonymous
    std::string Password;
    bool Passive = false;   // otherwise the server connects back (active mode)
};

// What a one-file listing tells about a remote file.
struct TFtpEntry {
    int64_t Size = -1;      // -1 when the server does not say
    time_t Time = -1;       // modification time (UTC), -1 when the server does not say
};

// One FTP login on one control connection, with at most one file open at a time. Paths are
// absolute on the server ("/pub/file.zip"); the connection changes into the file's folder
// and names the file alone, as servers expect.
class TFtpConnection {
public:
    TFtpConnection(const TInetSession& session, TFtpLogin login);

    // Given up by throwing from it while waiting on the network.
    void SetInterruptCheck(std::function<void()> check) { Handle_.CheckInterrupted = std::move(check); }

    // Connects and logs in; a wrong password or an unreachable server fail here. A kept
    // connection whose last request succeeded is taken as it is.
    void Login();
    // Opens a remote file for reading (RETR) or writing (STOR) in ASCII or binary mode. A
    // binary read may start at an offset (REST); the server must hold more than that.
    void OpenFile(const std::string& path, bool write, bool ascii, int64_t from = 0);
    bool FileOpen() const { return Open_; }
    // The size of the file open for reading from its start, as the server announced it;
    // -1 when unknown.
    int64_t OpenFileSize() const;
    // The modification time (UTC) of the file open for reading; -1 when the server does not say.
    time_t OpenFileTime() const;
    // The block the first Read will fill (see TInetHandle::PlanFirstRead).
    void PlanFirstRead(std::span<char> block) { Handle_.PlanFirstRead(block); }
    int64_t Read(char* buffer, int64_t count) { return Handle_.Read(buffer, count); }
    void Write(const char* buffer, int64_t count) { Handle_.Write(buffer, count); }
    // Ends an upload (waiting for the server to confirm it) or drops what is left of a download.
    void CloseFile();

    // The file `name` in folder `dir`, or nothing when the folder holds no such file.
    // Throws when the folder cannot be entered. An open file is closed first: a connection
    // runs one operation at a time.
    std::optional<TFtpEntry> FindFile(const std::string& dir, const std::string& name);

    // The server's last reply (all its lines).
    std::string LastResponse() const;

private:
    std::string Url(const std::string& path) const;
    void PrepareRequest(const std::string& path, bool ascii);

    TInetHandle Handle_;
    TFtpLogin Login_;
    bool Open_ = false;
    bool Writing_ = false;
    // The last reply of a request that has ended; requests start with none of their own.
    std::string PreviousResponse_;
};

} // namespace platform::inet
