#include "support/FtpServer.h"

#include <fstream>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool IsListedShell(const std::string& shell)
{
    std::ifstream shells("/etc/shells");
    for (std::string line; std::getline(shells, line);) {
        if (line == shell)
            return true;
    }
    return false;
}

// Makes the folder if missing and gives it to the user, readable and traversable by all.
void GiveTo(const fs::path& dir, const std::string& userName)
{
    fs::create_directories(dir);
    const passwd* user = getpwnam(userName.c_str());
    if (!user || chown(dir.c_str(), user->pw_uid, user->pw_gid) != 0)
        throw std::runtime_error("cannot give " + dir.string() + " to " + userName);
    fs::permissions(dir, fs::perms(0755));
}

} // namespace

std::string TFtpServer::AnonLink(const std::string& relative) const
{
    return "ftp://127.0.0.1:" + std::to_string(Port_) + "/" + relative;
}

void TFtpServer::CutSessions()
{
    Vsftpd_.KillDescendants();
}

void TFtpServer::PrepareUser(const fs::path& log)
{
    // PAM lets the user in only when its shell is listed in /etc/shells and its home exists.
    const std::string shell = "/bin/sh";
    AddSystemUser(UserName_, "--create-home --home-dir /var/lib/" + UserName_ + " --shell " + shell, log);
    const passwd* user = getpwnam(UserName_.c_str());
    if (!user)
        throw std::runtime_error("no user " + UserName_);
    const std::string userShell = user->pw_shell;
    const fs::path home = user->pw_dir;
    if (!IsListedShell(userShell))
        RunCommand("usermod --shell " + shell + " " + UserName_, "", log);
    if (!fs::exists(home))
        GiveTo(home, UserName_);
    RunCommand("chpasswd", UserName_ + ":" + Password_ + "\n", log);
    GiveTo(UserDir_, UserName_);
}

void TFtpServer::Start()
{
    RequireRoot("vsftpd and its test user need root");
    const std::string vsftpd = FindProgram("vsftpd");
    if (vsftpd.empty())
        throw std::runtime_error("vsftpd not installed (Debian package vsftpd)");
    // Debian's package brings both; vsftpd maps anonymous logins to "ftp".
    if (!fs::exists("/etc/pam.d/vsftpd"))
        throw std::runtime_error("/etc/pam.d/vsftpd missing (Debian package vsftpd)");
    if (!getpwnam("ftp"))
        throw std::runtime_error("no system user ftp (Debian package vsftpd adds it)");

    const fs::path root = Root_.Path();
    const fs::path log = root / "commands.log";
    AnonDir_ = root / "anon";
    UserDir_ = root / "user";
    const fs::path emptyDir = root / "empty";
    // vsftpd refuses an anonymous root its users could write to; "incoming" they may.
    fs::create_directories(AnonDir_);
    fs::permissions(AnonDir_, fs::perms(0755));
    GiveTo(AnonDir_ / "incoming", "ftp");
    fs::create_directories(emptyDir);
    fs::permissions(emptyDir, fs::perms(0755));
    PrepareUser(log);

    Port_ = FreeLoopbackPort();
    constexpr int passivePorts = 40;
    const int passiveFirst = FreeLoopbackPortRange(passivePorts);
    const fs::path conf = root / "vsftpd.conf";
    std::ofstream(conf) << "listen=YES\n"
                           "listen_ipv6=NO\n"
                           "listen_address=127.0.0.1\n"
                           "listen_port=" << Port_ << "\n"
                           "background=NO\n"
                           "pasv_enable=YES\n"
                           "pasv_address=127.0.0.1\n"
                           "pasv_min_port=" << passiveFirst << "\n"
                           "pasv_max_port=" << passiveFirst + passivePorts - 1 << "\n"
                           "port_enable=YES\n"
                           "connect_from_port_20=NO\n"
                           "ascii_download_enable=YES\n"
                           "ascii_upload_enable=YES\n"
                           "anonymous_enable=YES\n"
                           "no_anon_password=YES\n"
                           "anon_root=" << AnonDir_.string() << "\n"
                           "write_enable=YES\n"
                           "anon_upload_enable=YES\n"
                           "anon_mkdir_write_enable=YES\n"
                           "anon_other_write_enable=YES\n"
                           // Uploads stay readable, so anonymous users may fetch them back.
                           "anon_umask=022\n"
                           "local_enable=YES\n"
                           "local_umask=022\n"
                           "local_root=" << UserDir_.string() << "\n"
                           "chroot_local_user=NO\n"
                           "secure_chroot_dir=" << emptyDir.string() << "\n"
                           "pam_service_name=vsftpd\n"
                           "seccomp_sandbox=NO\n"
                           "isolate=NO\n"
                           "isolate_network=NO\n"
                           "use_localtime=NO\n"
                           "delay_failed_login=0\n"
                           "dirmessage_enable=NO\n"
                           "xferlog_enable=NO\n"
                           "xferlog_file=" << (root / "xferlog").string() << "\n"
                           "vsftpd_log_file=" << (root / "vsftpd.log").string() << "\n";

    Vsftpd_.Start(vsftpd, {conf.string()}, root / "vsftpd.out", {Port_}, {root / "vsftpd.log"});
}
