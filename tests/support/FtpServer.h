#pragma once

#include "support/ServerProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <string>

// vsftpd on 127.0.0.1 and a free port, started once per test binary on first use and stopped
// at process exit. Anonymous logins (any password) land in AnonDir(), which they may read;
// they may also upload, rename and delete in its folder "incoming". UserName() with
// Password() lands in UserDir() and may read and write there. Passive and active (PORT)
// data connections and ASCII mode all work; modification times are given in UTC.
class TFtpServer : public TSharedServer<TFtpServer> {
public:
    static constexpr const char* Title = "FTP test server";
    int Port() const { return Port_; }
    // The anonymous root: not writable by anonymous users; its "incoming/" is.
    const std::filesystem::path& AnonDir() const { return AnonDir_; }
    // Where UserName() logs in (an absolute path; owned by that user).
    const std::filesystem::path& UserDir() const { return UserDir_; }
    // A system user with a password and a login shell, created if missing.
    const std::string& UserName() const { return UserName_; }
    const std::string& Password() const { return Password_; }
    // "ftp://127.0.0.1:PORT/" + relative: relative to AnonDir() for anonymous logins and to
    // UserDir() for UserName().
    std::string AnonLink(const std::string& relative) const;
    // Kills vsftpd's per-connection processes (children of the listener), so every open
    // control and data connection drops at once while the listener keeps serving. They end
    // with a reset: data vsftpd had queued but the client had not yet received never arrives.
    void CutSessions();

private:
    friend class TSharedServer<TFtpServer>;
    TFtpServer() = default;
    void Start();
    // Creates the system user, or mends it, so that PAM lets it log in with Password().
    void PrepareUser(const std::filesystem::path& log);

    TTempDir Root_;
    int Port_ = 0;
    std::filesystem::path AnonDir_;
    std::filesystem::path UserDir_;
    std::string UserName_ = "quorvexftp";
    std::string Password_ = "Qv7-ftp-pass";
    TServerProcess Vsftpd_;
};

// Base of tests that need the server (see TServerTest).
class TFtpTest : public TServerTest<TFtpServer> {};
