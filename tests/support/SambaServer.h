#pragma once

#include "support/ServerProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <string>

// Samba's smbd on 127.0.0.1 and a free port, started once per test binary on first use and
// stopped at process exit. It serves two shares from its temporary folder: "public" (guest,
// writable) and "private" (UserName() with Password(), writable). Starting it sets
// QUORVEX_SMB_PORT so that the SMB layer dials this server.
class TSambaServer : public TSharedServer<TSambaServer> {
public:
    static constexpr const char* Title = "Samba test server";
    const std::string& Host() const { return Host_; }
    int Port() const { return Port_; }
    const std::filesystem::path& PublicDir() const { return PublicDir_; }
    const std::filesystem::path& PrivateDir() const { return PrivateDir_; }
    // "\\127.0.0.1\public\" + relative, with '/' in relative turned into '\'.
    std::string PublicUnc(const std::string& relative) const;
    std::string PrivateUnc(const std::string& relative) const;
    const std::string& UserName() const { return UserName_; }
    const std::string& Password() const { return Password_; }
    // Kills the processes serving clients, so that every open connection drops at once while
    // the server keeps serving new ones.
    void CutSessions();

private:
    friend class TSharedServer<TSambaServer>;
    TSambaServer() = default;
    void Start();
    std::string Unc(const std::string& share, const std::string& relative) const;

    TTempDir Root_;
    std::string Host_ = "127.0.0.1";
    int Port_ = 0;
    std::filesystem::path PublicDir_;
    std::filesystem::path PrivateDir_;
    std::string UserName_ = "quorvextest";
    std::string Password_ = "Qv7-test-pass";
    TServerProcess Smbd_;
};

// Writes a file into a share folder so that the share's users (the guest account, the test
// user) may change it: the tests run as root, whose files they could only read otherwise.
void WriteShareFile(const std::filesystem::path& path, const std::string& bytes);

// Base of tests that need the server (see TServerTest).
class TSambaTest : public TServerTest<TSambaServer> {};
