#include "PrivateBus.h"

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// Whether the daemon accepts connections on its socket yet.
bool Accepts(const std::string& socketPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof(address.sun_path) - 1);
    const bool accepted = fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        close(fd);
    return accepted;
}

}  // namespace

std::unique_ptr<TPrivateBus> TPrivateBus::StartOwn()
{
    std::unique_ptr<TPrivateBus> bus(new TPrivateBus);
    bus->Start();
    return bus;
}

void TPrivateBus::Start()
{
    const std::string program = FindProgram("dbus-daemon");
    if (program.empty())
        throw std::runtime_error("dbus-daemon is missing");
    std::filesystem::create_directories(ServicesFolder());
    const std::string config = Folder_.File("bus.conf");
    const std::string socket = Folder_.File("bus");
    std::string text = "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <auth>EXTERNAL</auth>\n";
    text += "  <listen>unix:path=" + socket + "</listen>\n";
    text += "  <servicedir>" + ServicesFolder() + "</servicedir>\n";
    text += "  <policy context=\"default\">\n"
            "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
            "    <allow eavesdrop=\"true\"/>\n"
            "    <allow own=\"*\"/>\n"
            "  </policy>\n"
            "</busconfig>\n";
    WriteFileBytes(config, text);
    Daemon_.Start(program, {"--config-file=" + config, "--nofork", "--nopidfile"}, Folder_.File("bus.log"), {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Accepts(socket)) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("dbus-daemon does not listen: " + ReadTail(Folder_.File("bus.log")));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Address_ = "unix:path=" + socket;
}
