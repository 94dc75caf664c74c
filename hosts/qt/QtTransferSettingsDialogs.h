#pragma once

#include "hosts/TransferSettingsEditors.h"

class QWidget;
class TLangChanger;

// The user-agent dialog and the proxy name's input box, translated and centred on the owner.
class TQtTransferSettingsDialogs : public ITransferSettingsDialogs {
public:
    TQtTransferSettingsDialogs(QWidget* owner, const TLangChanger& language, ITaskDialogs& dialogs)
        : Owner_(owner), Language_(language), Dialogs_(dialogs)
    {
    }

    bool ShowUserAgent(TUserAgentForm& form) override;
    bool InputProxyName(std::string& name) override;
    // The proxy dialog on proxies; true when they took its changes.
    bool ShowProxies(TProxyCollection& proxies);

private:
    QWidget* Owner_;
    const TLangChanger& Language_;
    ITaskDialogs& Dialogs_;
};
