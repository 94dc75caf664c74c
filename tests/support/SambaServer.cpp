#include "support/SambaServer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

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

bool PortAccepts(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
    close(fd);
    return ok;
}

std::string ReadTail(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

// Runs a shell command with its output in log and feeds it input; throws on failure.
void Run(const std::string& command, const std::string& input, const fs::path& log)
{
    FILE* pipe = popen((command + " >>'" + log.string() + "' 2>&1").c_str(), "w");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    fwrite(input.data(), 1, input.size(), pipe);
    if (pclose(pipe) != 0)
        throw std::runtime_error(command + " failed: " + ReadTail(log));
}

bool IsProgram(pid_t pid, const std::string& program)
{
    std::error_code error;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error).string() == program;
}

// The process's descendants, children before grandchildren.
std::vector<pid_t> Descendants(pid_t root)
{
    std::vector<pid_t> found{root};
    for (size_t i = 0; i < found.size(); ++i) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator("/proc", error)) {
            const std::string name = entry.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            std::getline(stat, line);
            // "pid (comm) state ppid ...": comm may hold spaces, so parse after the last ')'.
            const size_t paren = line.rfind(')');
            if (paren == std::string::npos)
                continue;
            char state = 0;
            int ppid = 0;
            if (std::sscanf(line.c_str() + paren + 1, " %c %d", &state, &ppid) == 2 && ppid == found[i])
                found.push_back(pid_t(std::stoi(name)));
        }
    }
    found.erase(found.begin());
    return found;
}

std::string& StartProblem()
{
    static std::string problem;
    return problem;
}

} // namespace

int FreeLoopbackPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(addr);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        if (fd >= 0)
            close(fd);
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    close(fd);
    return ntohs(addr.sin_port);
}

void WriteShareFile(const fs::path& path, const std::string& bytes)
{
    fs::path missing = path.parent_path();
    while (!missing.empty() && !fs::exists(missing.parent_path()))
        missing = missing.parent_path();
    const bool made = !fs::exists(missing);
    WriteFileBytes(path, bytes);
    fs::permissions(path, fs::perms(0666));
    // The folders made for the file, from the first missing one down.
    for (fs::path dir = path.parent_path(); made && !dir.empty(); dir = dir.parent_path()) {
        fs::permissions(dir, fs::perms(0777));
        if (dir == missing)
            break;
    }
}

TSambaServer* TSambaServer::Instance()
{
    static std::unique_ptr<TSambaServer> server;
    static std::once_flag once;
    std::call_once(once, [] {
        if (geteuid() != 0) {
            StartProblem() = "smbd and its test user need root";
            return;
        }
        try {
            std::unique_ptr<TSambaServer> started(new TSambaServer);
            started->Start();
            server = std::move(started);
        } catch (const std::exception& e) {
            StartProblem() = e.what();
        }
    });
    return server.get();
}

const std::string& TSambaServer::Problem()
{
    return StartProblem();
}

TSambaServer::~TSambaServer()
{
    Stop();
}

std::string TSambaServer::PublicUnc(const std::string& relative) const
{
    return Unc("public", relative);
}

std::string TSambaServer::PrivateUnc(const std::string& relative) const
{
    return Unc("private", relative);
}

std::string TSambaServer::Unc(const std::string& share, const std::string& relative) const
{
    std::string path = "\\\\" + Host_ + "\\" + share;
    if (!relative.empty())
        path += "\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

void TSambaServer::Start()
{
    const std::string smbd = FindProgram("smbd");
    const std::string smbpasswd = FindProgram("smbpasswd");
    if (smbd.empty() || smbpasswd.empty())
        throw std::runtime_error("smbd or smbpasswd not installed (Debian package samba)");

    const fs::path root = Root_.Path();
    const fs::path log = root / "commands.log";
    PublicDir_ = root / "shares" / "public";
    PrivateDir_ = root / "shares" / "private";
    for (const char* dir : {"run", "lock", "state", "cache", "private", "ncalrpc", "binddns"})
        fs::create_directories(root / dir);
    fs::create_directories(PublicDir_);
    fs::create_directories(PrivateDir_);
    // The guest account and the test user write into the shares and must reach them.
    fs::permissions(root / "shares", fs::perms(0755));
    fs::permissions(PublicDir_, fs::perms(0777));
    fs::permissions(PrivateDir_, fs::perms(0777));

    if (!getpwnam(UserName_.c_str())) {
        try {
            Run("useradd --system --no-create-home --shell /usr/sbin/nologin " + UserName_, "", log);
        } catch (const std::exception&) {
            if (!getpwnam(UserName_.c_str())) // another test binary may have just added it
                throw;
        }
    }

    Port_ = FreeLoopbackPort();
    const fs::path conf = root / "smb.conf";
    std::ofstream(conf) << "[global]\n"
                           "server role = standalone server\n"
                           "interfaces = 127.0.0.1\n"
                           "bind interfaces only = yes\n"
                           "smb ports = " << Port_ << "\n"
                           "disable netbios = yes\n"
                           "pid directory = " << (root / "run").string() << "\n"
                           "lock directory = " << (root / "lock").string() << "\n"
                           "state directory = " << (root / "state").string() << "\n"
                           "cache directory = " << (root / "cache").string() << "\n"
                           "private dir = " << (root / "private").string() << "\n"
                           "ncalrpc dir = " << (root / "ncalrpc").string() << "\n"
                           "binddns dir = " << (root / "binddns").string() << "\n"
                           "passdb backend = tdbsam:" << (root / "private" / "passdb.tdb").string() << "\n"
                           "log file = " << (root / "smbd.log").string() << "\n"
                           "max log size = 0\n"
                           "load printers = no\n"
                           "printcap name = /dev/null\n"
                           "disable spoolss = yes\n"
                           "rpc start on demand helpers = no\n"
                           "map to guest = Bad User\n"
                           "guest account = nobody\n"
                           "\n[public]\n"
                           "path = " << PublicDir_.string() << "\n"
                           "guest ok = yes\n"
                           "read only = no\n"
                           "\n[private]\n"
                           "path = " << PrivateDir_.string() << "\n"
                           "valid users = " << UserName_ << "\n"
                           "read only = no\n";

    Run("'" + smbpasswd + "' -c '" + conf.string() + "' -a -s " + UserName_,
        Password_ + "\n" + Password_ + "\n", log);

    // Everything the child needs is prepared before fork: only async-signal-safe calls after it.
    const std::string confArg = "--configfile=" + conf.string();
    const std::string output = (root / "smbd.out").string();
    std::vector<char*> argv{const_cast<char*>(smbd.c_str()), const_cast<char*>("--foreground"),
                            const_cast<char*>("--no-process-group"), const_cast<char*>(confArg.c_str()),
                            nullptr};
    // Only a main-thread parent lives as long as the process, so only then may its end stop smbd.
    const bool onMainThread = gettid() == getpid();
    // smbd's helpers outlive it by a moment; as their reaper we can collect them at the end.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    Pid_ = fork();
    if (Pid_ < 0)
        throw std::runtime_error(std::string("fork failed: ") + std::strerror(errno));
    if (Pid_ == 0) {
        // smbd signals its whole process group on exit: its own session keeps us out of it.
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

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!PortAccepts(Port_)) {
        int status = 0;
        if (waitpid(Pid_, &status, WNOHANG) == Pid_) {
            Pid_ = -1;
            throw std::runtime_error("smbd ended at start: " + ReadTail(output) + ReadTail(root / "smbd.log"));
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("smbd does not accept connections: " + ReadTail(root / "smbd.log"));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    setenv("QUORVEX_SMB_PORT", std::to_string(Port_).c_str(), 1);
}

void TSambaServer::Stop()
{
    if (Pid_ <= 0)
        return;
    const std::string smbd = FindProgram("smbd");
    const std::vector<pid_t> children = Descendants(Pid_);
    // Only processes that are still our smbd: a reused PID must never be hit.
    if (IsProgram(Pid_, smbd))
        kill(Pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    int status = 0;
    while (waitpid(Pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            if (IsProgram(Pid_, smbd))
                kill(Pid_, SIGKILL);
            waitpid(Pid_, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Pid_ = -1;
    // smbd ends its helpers itself; kill those that outlived it and reap them all.
    for (pid_t child : children) {
        if (IsProgram(child, smbd))
            kill(child, SIGKILL);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (waitpid(child, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void TSambaTest::SetUp()
{
    Server_ = TSambaServer::Instance();
    if (Server_)
        return;
    const std::string reason = "Samba test server unavailable: " + TSambaServer::Problem();
    if (std::getenv("CI"))
        FAIL() << reason;
    GTEST_SKIP() << reason;
}
