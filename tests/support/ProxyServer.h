#pragma once

#include "support/ServerProcess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <string>
#include <vector>

// Two tinyproxy forwarding HTTP proxies on 127.0.0.1, started once per test binary on first
// use and stopped at process exit: one open to all, one that asks for the login User /
// Password.
class TProxyServer : public TSharedServer<TProxyServer> {
public:
    static constexpr const char* Title = "tinyproxy test proxy";
    static constexpr const char* User = "quorvex-proxy";
    static constexpr const char* Password = "pr0xy-secret";
    int Port() const { return Open_.Port; }
    int AuthPort() const { return Auth_.Port; }
    // The request lines both proxies were asked to forward, in order per proxy ("GET
    // http://127.0.0.1:PORT/file HTTP/1.1"), those refused for a missing login included.
    std::vector<std::string> Requests() const;

private:
    struct TProxy {
        int Port = 0;
        std::filesystem::path Log;
        TServerProcess Process;
    };

    friend class TSharedServer<TProxyServer>;
    TProxyServer() = default;
    // Throws std::runtime_error with the reason when a proxy cannot be started.
    void Start();
    void StartOne(const std::string& program, const std::string& name, const std::string& extra, TProxy& proxy);

    TTempDir Root_;
    TProxy Open_;
    TProxy Auth_;
};

// Base of tests that need the proxies (see TServerTest).
class TProxyTest : public TServerTest<TProxyServer> {};
