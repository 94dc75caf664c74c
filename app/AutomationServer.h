#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// The session-bus service through which other programs (the file managers' "Copy by
// Quorvex" entries) hand paths to the running program.
inline constexpr const char* kAutomationService = "org.velmora.Quorvex";
inline constexpr const char* kAutomationObject = "/QuorvexCom";
inline constexpr const char* kAutomationInterface = "org.velmora.Quorvex.IQuorvexCom";

// How the program was started, from its switches ("-", "--" or "/" in front, any letter
// case, anywhere on the command line): by the bus (automation, embedding), to write or
// remove the bus's activation file, or by the user.
enum class TServerStartMode { Standalone, Automation, Register, Unregister };
TServerStartMode ServerStartMode(const std::vector<std::string>& arguments);

// One request of another program: paths one per line (CR LF or LF), the folders text
// (one folder, or one per path, or empty for the task dialog to ask), silent or asking.
struct TAddRequest {
    std::string Paths;
    std::string Folders;
    bool Silent = false;
    bool operator==(const TAddRequest&) const = default;
};

// The request to hand over for a call of AddFiles or AddFilesSilent; none when the files
// text names no path. The texts are only ever task sources and destinations: nothing in
// them is run or opened.
std::optional<TAddRequest> AutomationRequest(const std::string& files, const std::string& folder, bool silent);

// Requests in the order they came, handed over one at a time: one that comes while
// another is still being handled (its task dialog open) waits for it instead of replacing
// it or opening a second dialog over the first.
class TAddRequestQueue {
public:
    void Push(TAddRequest request) { Waiting_.push_back(std::move(request)); }
    // The next request to handle; none while one is being handled or when none waits.
    std::optional<TAddRequest> Next();
    // The request Next() gave is handled.
    void Done() { Handling_ = false; }
    bool Handling() const { return Handling_; }
    std::size_t Waiting() const { return Waiting_.size(); }

private:
    std::deque<TAddRequest> Waiting_;
    bool Handling_ = false;
};

// The bus's activation file for this user: $XDG_DATA_HOME (else home + "/.local/share")
// + "/dbus-1/services/org.velmora.Quorvex.service".
std::string ServiceFilePath(const std::string& xdgDataHome, const std::string& home);
// Its contents: the bus starts program with "--automation" when a client calls the service
// and no instance owns it. Empty when the path cannot be written into the file (a line break).
std::string ServiceFileText(const std::string& program);
// Writes (crash-safe) or removes the activation file; false with reason when it failed.
// Removing a file that is not there succeeds.
bool RegisterServer(const std::string& serviceFile, const std::string& program, std::string& reason);
bool UnregisterServer(const std::string& serviceFile, std::string& reason);
