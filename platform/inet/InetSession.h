#pragma once

#include <cstdint>
#include <string>

namespace platform::inet {

// Where a stream's connections go.
struct TInetProxy {
    enum TRoute {
        prSystem,   // as the environment says: http_proxy, https_proxy, ftp_proxy, all_proxy, no_proxy
        prDirect,   // straight to the server, whatever the environment says
        prServer,   // through the HTTP proxy at Host:Port
    };
    TRoute Route = prSystem;
    std::string Host;
    uint16_t Port = 0;
    std::string User;       // the proxy's login; none when empty
    std::string Password;
    // Hosts reached directly, as no_proxy lists them (comma-separated names, domains,
    // addresses); none when empty. With the system's route they add to no_proxy.
    std::string Bypass;
};

// What every request of one stream carries: the name the program introduces itself with
// (none when empty), whether cookies a server sets are sent back on the stream's later
// requests, and the proxy its connections go through.
struct TInetSession {
    std::string UserAgent;
    bool UseCookies = true;
    TInetProxy Proxy;
};

// The CA bundle that server certificates are checked against instead of the system's
// store: the file QUORVEX_CA_FILE names, or empty for the system's store.
std::string CaFileOverride();

// What decides the route of a session's connections, for keeping them apart: two
// sessions with different texts never share a connection. The system's route reads the
// environment now.
std::string ProxyKey(const TInetProxy& proxy);

} // namespace platform::inet
