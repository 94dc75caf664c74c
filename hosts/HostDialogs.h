#pragma once

#include "hosts/Host.h"

#include <string>
#include <vector>

// The host dialog's controls. The model fills them when the dialog opens and reads them
// back on OK, so the rules below hold whatever shows the dialog.
struct THostForm {
    std::string Name;
    std::string Address;
    std::string Description;
    bool Temporary = false;
    bool Unlimited = true;            // "unlimited"; the count is enabled only while it is clear
    int MaxConnections = 1;           // the up-down, 1 to 100
    TTrafficPriority Priority = tpLowestPriority;
    bool LoginToServer = false;       // the user fields are enabled only while it is ticked
    std::string UserLogin;
    std::string UserPassword;
    std::vector<std::string> PriorityCaptions;  // the priority list, lowest first

    // OK is enabled only while both are filled in.
    bool CanConfirm() const { return !Name.empty() && !Address.empty(); }
};

inline constexpr int kMinHostConnections = 1;
inline constexpr int kMaxHostConnections = 100;

// The form for a host: the count shows the limit only while one is enforced, and the
// user fields are filled only while the host logs in.
THostForm OpenHostForm(const THostProperties& host, std::vector<std::string> priorityCaptions);
// Writes the form back on OK: without the login the user fields are emptied, and an
// unlimited host keeps its former count.
void ApplyHostForm(const THostForm& form, THostProperties& host);

// The dialogs of the host page and of the connection types. The GUI shows real dialogs;
// tests script the answers. Each returns false for Cancel.
class IHostDialogs {
public:
    virtual ~IHostDialogs() = default;
    virtual bool ShowHostProperties(THostForm& form) = 0;
    // "New connection": a name and a bandwidth in bits per second, as typed (digits only).
    virtual bool ShowNewConnection(std::string& name, std::string& bandwidth) = 0;
    virtual bool ShowEditConnectionName(std::string& name) = 0;
};
