#include "support/ProxyServer.h"

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kRequestMark = "]: Request (file descriptor ";

} // namespace

void TProxyServer::Start()
{
    const std::string tinyproxy = FindProgram("tinyproxy");
    if (tinyproxy.empty())
        throw std::runtime_error("tinyproxy not installed (Debian package tinyproxy)");
    StartOne(tinyproxy, "open", "", Open_);
    StartOne(tinyproxy, "auth", std::string("BasicAuth ") + User + " " + Password + "\n", Auth_);
}

void TProxyServer::StartOne(const std::string& program, const std::string& name, const std::string& extra,
                            TProxy& proxy)
{
    const fs::path conf = Root_.Path() / (name + ".conf");
    proxy.Port = FreeLoopbackPort();
    proxy.Log = Root_.Path() / (name + ".log");
    // Without a User line it stays the user that started it; it logs each request line
    // before forwarding it.
    std::ofstream(conf) << "Port " << proxy.Port << "\n"
                        << "Listen 127.0.0.1\n"
                        << "Allow 127.0.0.1\n"
                        << "PidFile \"" << (Root_.Path() / (name + ".pid")).string() << "\"\n"
                        << "LogFile \"" << proxy.Log.string() << "\"\n"
                        << "LogLevel Connect\n"
                        << "MaxClients 50\n"
                        << extra;
    proxy.Process.Start(program, {"-d", "-c", conf.string()}, Root_.Path() / (name + ".out"), {proxy.Port},
                        {proxy.Log});
}

std::vector<std::string> TProxyServer::Requests() const
{
    std::vector<std::string> requests;
    for (const TProxy* proxy : {&Open_, &Auth_}) {
        std::ifstream in(proxy->Log);
        for (std::string line; std::getline(in, line);) {
            const auto mark = line.find(kRequestMark);
            if (mark == std::string::npos)
                continue;
            const auto colon = line.find(": ", mark + 3);
            if (colon != std::string::npos)
                requests.push_back(line.substr(colon + 2));
        }
    }
    return requests;
}
