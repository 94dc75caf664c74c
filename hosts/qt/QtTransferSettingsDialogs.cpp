#include "hosts/qt/QtTransferSettingsDialogs.h"

#include "config/qt/QtLangWindow.h"
#include "core/MessageCatalogue.h"
#include "hosts/qt/dlgProxyProperties.h"
#include "hosts/qt/dlgUserAgent.h"
#include "tasks/TaskPorts.h"
#include "tasks/qt/DialogShow.h"

bool TQtTransferSettingsDialogs::ShowUserAgent(TUserAgentForm& form)
{
    TdlgUserAgent dialog(form, Owner_);
    TranslateQtForm(Language_, dialog);
    return ExecCentred(dialog, Owner_) == QDialog::Accepted;
}

bool TQtTransferSettingsDialogs::InputProxyName(std::string& name)
{
    return Dialogs_.InputBox(Translate("sInputProxyNameCaption"), Translate("sInputProxyNamePrompt"), name);
}

bool TQtTransferSettingsDialogs::ShowProxies(TProxyCollection& proxies)
{
    TdlgProxyProperties dialog(proxies, Dialogs_, *this, Owner_);
    TranslateQtForm(Language_, dialog);
    return ExecCentred(dialog, Owner_) == QDialog::Accepted;
}
