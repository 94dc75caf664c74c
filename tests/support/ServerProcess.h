#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <vector>

// What the server fixtures share: finding and running programs, free ports on 127.0.0.1,
// starting a server once per test binary and stopping it by its PID.

// A TCP port on 127.0.0.1 that nothing listened on a moment ago.
int FreeLoopbackPort();
// The first of count consecutive ports on 127.0.0.1 that nothing listened on a moment ago.
int FreeLoopbackPortRange(int count);
// A socket connected to 127.0.0.1:port, or -1.
int ConnectLoopback(int port);
// A socket listening on 127.0.0.1 and a free port, which it sets; -1 when there is none.
int ListenLoopback(int& port);
// Whether something accepts TCP connections on 127.0.0.1:port.
bool PortAccepts(int port);

// The full path of an executable found on PATH or in the system folders, or "" when missing.
std::string FindProgram(const std::string& name);
// The last 2000 bytes of a file, for error messages; "" when it cannot be read.
std::string ReadTail(const std::filesystem::path& file);
// Runs a shell command, appending its output to log and feeding it input; throws
// std::runtime_error with the log's tail when it fails.
void RunCommand(const std::string& command, const std::string& input, const std::filesystem::path& log);
// Adds a system user with useradd's options unless it exists (another test binary may add
// it at the same moment); throws std::runtime_error when it cannot.
void AddSystemUser(const std::string& name, const std::string& options, const std::filesystem::path& log);
// Throws std::runtime_error saying why when the process does not run as root.
void RequireRoot(const std::string& why);

// A server program running in its own session, stopped by its PID when this object ends.
class TServerProcess {
public:
    TServerProcess() = default;
    ~TServerProcess();
    TServerProcess(const TServerProcess&) = delete;
    TServerProcess& operator=(const TServerProcess&) = delete;

    // Starts program (a full path) with arguments, writing its output to outputFile, and waits
    // until every port accepts connections. Throws std::runtime_error with the tails of
    // outputFile and logs when the program ends or does not answer within 10 seconds.
    void Start(const std::string& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& outputFile, const std::vector<int>& ports,
               const std::vector<std::filesystem::path>& logs = {});
    // Ends the server and whatever it spawned that outlived it.
    void Stop();
    // Kills the processes the server spawned, leaving the server itself running; returns
    // once they have ended. Their connections end with a reset, so the peers do not receive
    // what was still queued for them. A name other than "" spares the processes of other
    // names (a server's own helpers).
    void KillDescendants(const std::string& onlyNamed = "");
    pid_t Pid() const { return Pid_; }

private:
    std::string Program_;
    pid_t Pid_ = -1;
};

// Base of the servers that start once per test binary, on first use, and stop at process
// exit: class TServer : public TSharedServer<TServer> gives a Title, a private default
// constructor and a private Start() that throws the reason the server cannot run here, and
// befriends TSharedServer<TServer>.
template <class TServer>
class TSharedServer {
public:
    TSharedServer(const TSharedServer&) = delete;
    TSharedServer& operator=(const TSharedServer&) = delete;

    // The running server, or nullptr when it cannot run here (Problem() says why).
    static TServer* Instance()
    {
        TOnce& once = Once();
        std::call_once(once.Flag, [&] {
            try {
                std::unique_ptr<TServer> server(new TServer);
                server->Start();
                once.Server = std::move(server);
            } catch (const std::exception& e) {
                once.Problem = e.what();
            }
        });
        return once.Server.get();
    }
    static const std::string& Problem() { return Once().Problem; }

protected:
    TSharedServer() = default;
    ~TSharedServer() = default;

private:
    struct TOnce {
        std::once_flag Flag;
        std::unique_ptr<TServer> Server;
        std::string Problem;
    };
    static TOnce& Once()
    {
        static TOnce once;
        return once;
    }
};

// Sets server to TServer's running server; when it cannot run here, to nullptr, and skips the
// test with the reason, or fails it when the variable CI is set (a CI machine must run every
// test). A test body that calls it returns at nullptr.
template <class TServer>
void FindServerOrSkip(TServer*& server)
{
    server = TServer::Instance();
    if (server)
        return;
    const std::string reason = std::string(TServer::Title) + " unavailable: " + TServer::Problem();
    if (std::getenv("CI"))
        FAIL() << reason;
    GTEST_SKIP() << reason;
}

// Base of tests that need TServer: they run only when it does (see FindServerOrSkip).
template <class TServer>
class TServerTest : public ::testing::Test {
protected:
    void SetUp() override { FindServerOrSkip(Server_); }
    TServer& Server() { return *Server_; }
    const TServer& Server() const { return *Server_; }

private:
    TServer* Server_ = nullptr;
};
