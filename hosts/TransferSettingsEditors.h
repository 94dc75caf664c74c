#pragma once

#include "transfer/Proxies.h"
#include "transfer/UserAgents.h"

#include <string>
#include <vector>

class ITaskDialogs;

// The dialogs the agent and proxy editors open besides message boxes.
class ITransferSettingsDialogs {
public:
    virtual ~ITransferSettingsDialogs() = default;
    // The user-agent dialog on form's texts; true on OK, with them edited.
    virtual bool ShowUserAgent(TUserAgentForm& form) = 0;
    // The input box for a proxy's name (sInputProxyNameCaption, sInputProxyNamePrompt) on
    // name; true on OK, with it edited.
    virtual bool InputProxyName(std::string& name) = 0;
};

// The user-agent page of the options dialog without its widgets: it works on a copy of
// the agents, which ApplyTo hands back on OK when anything changed.
class TUserAgentsEditor {
public:
    TUserAgentsEditor(const TUserAgentCollection& agents, ITaskDialogs& dialogs, ITransferSettingsDialogs& forms);

    const TUserAgentCollection& Agents() const { return Agents_; }
    std::vector<std::string> ChoiceNames() const;
    int Selected() const { return Agents_.DefIndex; }
    void Select(int choice);
    bool CanEdit() const { return Agents_.IsEditable(Agents_.DefIndex) && Agents_.DefIndex < Agents_.ChoiceCount(); }
    // Each true when it changed the agents.
    bool Add();
    bool Edit();
    bool Delete();
    void ApplyTo(TUserAgentCollection& agents) const;

private:
    TUserAgentCollection Agents_;
    ITaskDialogs& Dialogs_;
    ITransferSettingsDialogs& Forms_;
    bool Changed_ = false;
};

// The proxy dialog without its widgets: it works on a copy of the proxies and shows the
// selected one's values in Fields, which the widgets edit (calling FieldsChanged).
class TProxyEditor {
public:
    struct TFields {
        std::string Addres;
        std::string Port;   // digits, as typed
        std::string ProxyUserName;
        std::string ProxyUserPassword;
        bool UseProxyAuthentication = false;
        bool ProxyProtocolHTTP = true;
        bool ProxyProtocolFTP = true;
    };
    // What Apply did; the widgets focus the field at fault.
    enum TApplied { apApplied, apEmptyAddress, apWrongPort };
    enum TClose { clStay, clConfirmed, clCancelled };

    TProxyEditor(const TProxyCollection& proxies, ITaskDialogs& dialogs, ITransferSettingsDialogs& forms);

    const TProxyCollection& Proxies() const { return Proxies_; }
    std::vector<std::string> Names() const;
    // The selected proxy; -1 while there is none.
    int Selected() const { return Selected_; }
    bool ParametersVisible() const { return Proxies_.Count() > 0; }
    // The login fields are enabled only while authentication is on.
    bool LoginEnabled() const { return Fields.UseProxyAuthentication; }
    bool Modified() const { return Modified_; }
    bool CanApply() const { return Proxies_.Count() > 0 && Modified_; }
    bool CanDelete() const { return Proxies_.Count() > 0; }

    TFields Fields;
    void FieldsChanged() { Modified_ = true; }
    // Stores Fields into the selected proxy: nothing without an address; the address alone
    // when the port is no number from 0 to 65535.
    TApplied Apply();
    // Offers to apply changes first.
    void Select(int index);
    // Asks a new, unique name; the new proxy is selected and marked modified.
    bool Add();
    // Asks first.
    bool Delete();
    // OK: offers to apply changes; No closes without any of them.
    TClose Ok();
    // After a confirmed close: proxies without an address are deleted when the user agrees
    // (false: the dialog is shown again); then proxies takes the copy.
    bool Finish(TProxyCollection& proxies);

private:
    void Show(int index);

    TProxyCollection Proxies_;
    ITaskDialogs& Dialogs_;
    ITransferSettingsDialogs& Forms_;
    int Selected_ = -1;
    bool Modified_ = false;
};

// The row of the proxy page's list (Choices(ftp)) that the way of ftp or HTTP shows; a way
// that names no listed entry becomes the system's settings first.
int ShownProxyChoice(TProxyCollection& proxies, bool ftp);
