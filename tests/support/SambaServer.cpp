#include "support/SambaServer.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

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
    RequireRoot("smbd and its test user need root");
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

    AddSystemUser(UserName_, "--no-create-home --shell /usr/sbin/nologin", log);

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

    RunCommand("'" + smbpasswd + "' -c '" + conf.string() + "' -a -s " + UserName_,
        Password_ + "\n" + Password_ + "\n", log);

    Smbd_.Start(smbd, {"--foreground", "--no-process-group", "--configfile=" + conf.string()},
                root / "smbd.out", {Port_}, {root / "smbd.log"});
    setenv("QUORVEX_SMB_PORT", std::to_string(Port_).c_str(), 1);
}

void TSambaServer::CutSessions()
{
    // smbd serves each client in a child of its own name; its helpers carry other names.
    Smbd_.KillDescendants("smbd");
}
