#pragma once

#include "config/SystemIntegration.h"

#include <string>
#include <vector>

class IMessageBoxPort;

// Where the session keeps what the integration changes, fixed when the program starts.
struct TIntegrationPlaces {
    std::string Program;     // full path of the running program
    std::string ConfigHome;  // $XDG_CONFIG_HOME, else ~/.config
};
// The places of this session for the program at program.
TIntegrationPlaces SessionIntegrationPlaces(const std::string& program);

// Program as one word of a desktop entry's Exec line: in double quotes, with the
// characters the entry's quoting and its string escapes reserve escaped. Empty when the
// path holds a line break, which no entry can carry.
std::string DesktopExecWord(const std::string& program);
// The autostart entry that starts program hidden in the tray with the session.
std::string AutostartEntryText(const std::string& program);

// The session's side of the two settings: the autostart entry
// ConfigHome/autostart/quorvex.desktop, and the file managers' "Copy by Quorvex" entries,
// which quorvex-menu (installed beside the program) adds and removes. Failures are shown in
// an error box and leave the system's state as it was; the options read it back.
class TDesktopIntegration : public ISystemIntegration {
public:
    TDesktopIntegration(TIntegrationPlaces places, IMessageBoxPort& errors);

    // On while the entry exists and is not hidden (desktops hide an entry the user turned off).
    bool IsStartWithWindows() const override;
    // On writes the entry afresh (crash-safe), with the program's path of now; off removes it.
    void SetStartWithWindows(bool on) override;
    // On while quorvex-menu --is-registered says its entries are in place.
    bool IsExplorerIntegrated() const override;
    // Runs quorvex-menu --register or --unregister; true when it succeeded.
    bool SetExplorerIntegration(bool on) override;

    std::string AutostartFile() const;
    std::string MenuProgram() const;

private:
    void ShowError(const std::string& text) const;

    TIntegrationPlaces Places_;
    IMessageBoxPort& Errors_;
};

// Runs program with arguments (no shell) and waits for it: its exit code, or -1 with
// reason when it could not run or did not end normally.
int RunAndWait(const std::string& program, const std::vector<std::string>& arguments, std::string& reason);
