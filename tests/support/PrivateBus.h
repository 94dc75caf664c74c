#pragma once

#include "support/ServerProcess.h"
#include "support/TempDir.h"

#include <memory>
#include <string>

// A message bus of the tests' own (dbus-daemon as a session bus), started once per test
// binary on first use and stopped at exit, so that no test reaches the machine's buses.
// It starts the services whose activation files lie in ServicesFolder(), which is
// DataHome() + "/dbus-1/services" as for a user's $XDG_DATA_HOME.
class TPrivateBus : public TSharedServer<TPrivateBus> {
public:
    static constexpr const char* Title = "dbus-daemon";
    // A bus of one test's own, for what must not meet the shared bus's services.
    static std::unique_ptr<TPrivateBus> StartOwn();

    const std::string& Address() const { return Address_; }
    std::string DataHome() const { return Folder_.File("data"); }
    std::string ServicesFolder() const { return DataHome() + "/dbus-1/services"; }

private:
    friend class TSharedServer<TPrivateBus>;
    TPrivateBus() = default;
    void Start();

    TTempDir Folder_;
    TServerProcess Daemon_;
    std::string Address_;
};
