#include "support/ServerProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <pwd.h>
#include <random>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

sockaddr_in LoopbackAddress(int port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    return addr;
}

// A socket bound to 127.0.0.1:port (0: any free one) that sets port to the one bound; -1
// when it cannot be bound.
int BoundLoopbackSocket(int& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    sockaddr_in addr = LoopbackAddress(port);
    socklen_t len = sizeof(addr);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

// Binds a socket to 127.0.0.1:port (0: any free one) and returns the port bound, or 0.
int BindLoopback(int port)
{
    const int fd = BoundLoopbackSocket(port);
    if (fd < 0)
        return 0;
    close(fd);
    return port;
}

bool IsProgram(pid_t pid, const std::string& program)
{
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error).string() == program;
}

struct TProcessStat {
    char State = 0; // 'R', 'S', 'Z' ...; 0: the process is gone
    pid_t Parent = 0;
    std::string Name; // the first 15 bytes of the program's name, kept for zombies too
};

TProcessStat ReadStat(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // "pid (name) state ppid ...": the name may hold spaces and parentheses.
    const size_t open = line.find('(');
    const size_t close = line.rfind(')');
    TProcessStat result;
    int parent = 0;
    if (open == std::string::npos || close == std::string::npos || close < open
        || std::sscanf(line.c_str() + close + 1, " %c %d", &result.State, &parent) != 2)
        return {};
    result.Parent = pid_t(parent);
    result.Name = line.substr(open + 1, close - open - 1);
    return result;
}

std::vector<pid_t> AllProcesses()
{
    std::vector<pid_t> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") == std::string::npos)
            found.push_back(pid_t(std::stoi(name)));
    }
    return found;
}

// The process's descendants, children before grandchildren.
std::vector<pid_t> Descendants(pid_t root)
{
    std::vector<std::pair<pid_t, pid_t>> parents; // (process, parent)
    for (pid_t pid : AllProcesses())
        parents.emplace_back(pid, ReadStat(pid).Parent);
    std::vector<pid_t> found{root};
    for (size_t i = 0; i < found.size(); ++i) {
        for (const auto& [pid, parent] : parents) {
            if (parent == found[i])
                found.push_back(pid);
        }
    }
    found.erase(found.begin());
    return found;
}

// Our own children named like the program, but for the server itself: its processes whose
// parents ended, left to us as their subreaper and so no longer among its descendants.
std::vector<pid_t> StrayChildren(const std::string& program, pid_t server)
{
    const std::string name = fs::path(program).filename().string().substr(0, 15);
    std::vector<pid_t> found;
    for (pid_t pid : AllProcesses()) {
        const TProcessStat stat = ReadStat(pid);
        if (pid != server && stat.Parent == getpid() && stat.Name == name)
            found.push_back(pid);
    }
    return found;
}

// Waits until a killed process has ended, reaping it when it is (or has become) our child:
// we are the subreaper of everything our servers spawn.
void AwaitEnd(pid_t pid)
{
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return;
        const char state = ReadStat(pid).State;
        if (state == 0 || state == 'Z')
            return;
        std::this_thread::sleep_for(10ms);
    }
}

// Makes the process's connections end with a reset when it dies, dropping what is still
// queued for sending: a plain exit would let the peer receive all of it first.
void ResetConnectionsOnExit(pid_t pid)
{
    const int process = int(syscall(SYS_pidfd_open, pid, 0));
    if (process < 0)
        return;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        if (fs::read_symlink(entry.path(), error).string().rfind("socket:", 0) != 0)
            continue;
        const int fd = int(syscall(SYS_pidfd_getfd, process, std::stoi(entry.path().filename().string()), 0));
        if (fd < 0)
            continue;
        const linger abort{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
        close(fd);
    }
    close(process);
}

// Kills those of the processes that still run program (resetting their connections when
// asked) and reaps them all.
void KillAll(const std::vector<pid_t>& processes, const std::string& program, bool reset = false)
{
    for (pid_t pid : processes) {
        if (!IsProgram(pid, program))
            continue;
        if (reset)
            ResetConnectionsOnExit(pid);
        kill(pid, SIGKILL);
    }
    for (pid_t pid : processes)
        AwaitEnd(pid);
}

} // namespace

int FreeLoopbackPort()
{
    const int port = BindLoopback(0);
    if (port == 0)
        throw std::runtime_error("no free port on 127.0.0.1");
    return port;
}

int FreeLoopbackPortRange(int count)
{
    // Below Linux's ephemeral ports, where client sockets would otherwise take them.
    constexpr int low = 20000;
    constexpr int high = 32000;
    std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<int> pick(low, high - count);
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int first = pick(random);
        int free = 0;
        while (free < count && BindLoopback(first + free) != 0)
            ++free;
        if (free == count)
            return first;
    }
    throw std::runtime_error("no " + std::to_string(count) + " free consecutive ports on 127.0.0.1");
}

int ConnectLoopback(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const sockaddr_in addr = LoopbackAddress(port);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof(addr)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

int ListenLoopback(int& port)
{
    port = 0;
    const int fd = BoundLoopbackSocket(port);
    if (fd >= 0 && listen(fd, 64) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool PortAccepts(int port)
{
    const int fd = ConnectLoopback(port);
    if (fd >= 0)
        close(fd);
    return fd >= 0;
}

std::string FindProgram(const std::string& name)
{
    std::string dirs = std::getenv("PATH") ? std::getenv("PATH") : "";
    dirs += ":/usr/sbin:/sbin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        const size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return fs::canonical(candidate).string();
        start = end + 1;
    }
    return {};
}

std::string ReadTail(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

void RunCommand(const std::string& command, const std::string& input, const fs::path& log)
{
    FILE* pipe = popen((command + " >>'" + log.string() + "' 2>&1").c_str(), "w");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    fwrite(input.data(), 1, input.size(), pipe);
    if (pclose(pipe) != 0)
        throw std::runtime_error(command + " failed: " + ReadTail(log));
}

void AddSystemUser(const std::string& name, const std::string& options, const fs::path& log)
{
    if (getpwnam(name.c_str()))
        return;
    try {
        RunCommand("useradd --system " + options + " " + name, "", log);
    } catch (const std::exception&) {
        if (!getpwnam(name.c_str()))
            throw;
    }
}

void RequireRoot(const std::string& why)
{
    if (geteuid() != 0)
        throw std::runtime_error(why);
}

TServerProcess::~TServerProcess()
{
    Stop();
}

void TServerProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                           const fs::path& outputFile, const std::vector<int>& ports,
                           const std::vector<fs::path>& logs)
{
    Program_ = program;
    const std::string name = fs::path(program).filename().string();
    const std::string output = outputFile.string();
    auto tails = [&] {
        std::string text = ReadTail(outputFile);
        for (const fs::path& log : logs)
            text += ReadTail(log);
        return text;
    };

    // Everything the child needs is prepared before fork: only async-signal-safe calls after it.
    std::vector<char*> argv{const_cast<char*>(Program_.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    // Only a main-thread parent lives as long as the process, so only then may its end stop the server.
    const bool onMainThread = gettid() == getpid();
    // Servers' helpers may outlive them by a moment; as their reaper we can collect them at the end.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Pid_ = fork();
    if (Pid_ < 0)
        throw std::runtime_error(std::string("fork failed: ") + std::strerror(errno));
    if (Pid_ == 0) {
        // Some servers (smbd) signal their whole process group on exit: their own session
        // keeps the test runner out of it.
        setsid();
        if (onMainThread)
            prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }

    const auto deadline = std::chrono::steady_clock::now() + 10s;
    for (int port : ports) {
        while (!PortAccepts(port)) {
            int status = 0;
            if (waitpid(Pid_, &status, WNOHANG) == Pid_) {
                Pid_ = -1;
                throw std::runtime_error(name + " ended at start: " + tails());
            }
            if (std::chrono::steady_clock::now() > deadline) {
                Stop();
                throw std::runtime_error(name + " does not accept connections: " + tails());
            }
            std::this_thread::sleep_for(50ms);
        }
    }
}

void TServerProcess::Stop()
{
    if (Pid_ <= 0)
        return;
    const std::vector<pid_t> children = Descendants(Pid_);
    // Only processes that are still our server: a reused PID must never be hit.
    if (IsProgram(Pid_, Program_))
        kill(Pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    int status = 0;
    while (waitpid(Pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            if (IsProgram(Pid_, Program_))
                kill(Pid_, SIGKILL);
            waitpid(Pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(20ms);
    }
    Pid_ = -1;
    // Servers end their helpers themselves, or leave them running (vsftpd's sessions).
    std::vector<pid_t> leftovers = StrayChildren(Program_, -1);
    leftovers.insert(leftovers.end(), children.begin(), children.end());
    KillAll(leftovers, Program_);
}

void TServerProcess::KillDescendants(const std::string& onlyNamed)
{
    if (Pid_ <= 0)
        return;
    std::vector<pid_t> spawned = Descendants(Pid_);
    const std::vector<pid_t> strays = StrayChildren(Program_, Pid_);
    spawned.insert(spawned.end(), strays.begin(), strays.end());
    if (!onlyNamed.empty())
        std::erase_if(spawned, [&](pid_t pid) { return ReadStat(pid).Name != onlyNamed; });
    KillAll(spawned, Program_, true);
}
