#pragma once

#include "support/ServerProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <string>
#include <vector>

// nginx on 127.0.0.1 with an HTTP and an HTTPS port, started once per test binary on first
// use and stopped at process exit. It serves the files of DocRoot() at "/" (with Range,
// Content-Length and Last-Modified) and adds "Set-Cookie: quorvex-test=1; Path=/" to every
// answer. The HTTPS certificate is for 127.0.0.1 and localhost, signed by a throw-away CA.
class TNginxServer : public TSharedServer<TNginxServer> {
public:
    static constexpr const char* Title = "nginx test server";
    int HttpPort() const { return HttpPort_; }
    int HttpsPort() const { return HttpsPort_; }
    const std::filesystem::path& DocRoot() const { return DocRoot_; }
    // "http://127.0.0.1:PORT/" + relative.
    std::string HttpUrl(const std::string& relative) const;
    // "https://127.0.0.1:PORT/" + relative.
    std::string HttpsUrl(const std::string& relative) const;
    // PEM of the CA that signed the server's certificate.
    const std::filesystem::path& CaFile() const { return CaFile_; }
    // The access log lines written since the server started, in order; each is
    // "<request line>|<Range header or ->|<status>|<User-Agent or ->|<Cookie header or ->",
    // with '"', '\\', control and non-ASCII bytes written as \xHH. Every request answered
    // before the call is in it.
    std::vector<std::string> AccessLog() const;

private:
    friend class TSharedServer<TNginxServer>;
    TNginxServer() = default;
    void Start();
    void MakeCertificates(const std::string& openssl, const std::filesystem::path& log);

    TTempDir Root_;
    int HttpPort_ = 0;
    int HttpsPort_ = 0;
    std::filesystem::path DocRoot_;
    std::filesystem::path CaFile_;
    std::filesystem::path CertificateFile_;
    std::filesystem::path KeyFile_;
    std::filesystem::path AccessLogFile_;
    TServerProcess Nginx_;
};

// Base of tests that need the server (see TServerTest).
class TNginxTest : public TServerTest<TNginxServer> {};
