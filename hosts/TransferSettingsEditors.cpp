#include "hosts/TransferSettingsEditors.h"

#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "tasks/TaskPorts.h"

#include <algorithm>
#include <limits>

TUserAgentsEditor::TUserAgentsEditor(const TUserAgentCollection& agents, ITaskDialogs& dialogs,
                                     ITransferSettingsDialogs& forms)
    : Agents_(agents.Boxes()), Dialogs_(dialogs), Forms_(forms)
{
    Agents_.Assign(agents);
}

std::vector<std::string> TUserAgentsEditor::ChoiceNames() const
{
    std::vector<std::string> names;
    for (int choice = 0; choice < Agents_.ChoiceCount(); ++choice)
        names.push_back(Agents_.ChoiceName(choice));
    return names;
}

void TUserAgentsEditor::Select(int choice)
{
    if (choice != Agents_.DefIndex)
        Changed_ = true;
    Agents_.DefIndex = choice;
}

bool TUserAgentsEditor::Add()
{
    TUserAgentForm form("", "");
    if (!Forms_.ShowUserAgent(form) || !form.Accept())
        return false;
    Agents_.AddUserAgent(form.Name, form.Agent);
    Agents_.DefIndex = Agents_.ChoiceCount() - 1;
    Changed_ = true;
    return true;
}

bool TUserAgentsEditor::Edit()
{
    if (!CanEdit())
        return false;
    const int choice = Agents_.DefIndex;
    TUserAgentForm form(Agents_.ChoiceName(choice), Agents_.ChoiceAgent(choice));
    if (!Forms_.ShowUserAgent(form) || !form.Accept())
        return false;
    Agents_.SetChoiceName(choice, form.Name);
    Agents_.SetChoiceAgent(choice, form.Agent);
    Changed_ = true;
    return true;
}

bool TUserAgentsEditor::Delete()
{
    if (!CanEdit())
        return false;
    const int choice = Agents_.DefIndex;
    const std::string text = FormatMessage(Translate("sDelUserAgent"), {Agents_.ChoiceName(choice)});
    if (Dialogs_.MessageBox(text, TMessageKind::Warning, mbYes | mbNo) != TModalResult::Yes)
        return false;
    Agents_.DeleteChoice(choice);
    Changed_ = true;
    return true;
}

void TUserAgentsEditor::ApplyTo(TUserAgentCollection& agents) const
{
    if (Changed_)
        agents.Assign(Agents_);
}

TProxyEditor::TProxyEditor(const TProxyCollection& proxies, ITaskDialogs& dialogs, ITransferSettingsDialogs& forms)
    : Proxies_(proxies.Boxes()), Dialogs_(dialogs), Forms_(forms)
{
    Proxies_.Assign(proxies);
    Show(0);
}

std::vector<std::string> TProxyEditor::Names() const
{
    std::vector<std::string> names;
    for (int i = 0; i < Proxies_.Count(); ++i)
        names.push_back(Proxies_[i].Name);
    return names;
}

void TProxyEditor::Show(int index)
{
    Selected_ = Proxies_.Count() == 0 ? -1 : std::clamp(index, 0, Proxies_.Count() - 1);
    Modified_ = false;
    if (Selected_ < 0) {
        Fields = {};
        return;
    }
    const TProxyItem& proxy = Proxies_[Selected_];
    Fields = {proxy.Addres,
              std::to_string(proxy.Port),
              proxy.ProxyUserName,
              proxy.ProxyUserPassword,
              proxy.UseProxyAuthentication,
              proxy.ProxyProtocolHTTP,
              proxy.ProxyProtocolFTP};
}

TProxyEditor::TApplied TProxyEditor::Apply()
{
    if (Selected_ < 0)
        return apApplied;
    TProxyItem& proxy = Proxies_[Selected_];
    if (Fields.Addres.empty()) {
        Dialogs_.MessageBox(Translate("sEmptyProxyAddress"), TMessageKind::Error, mbOK);
        return apEmptyAddress;
    }
    proxy.Addres = Fields.Addres;
    // A port past 65535 would lose its high bits and name another port.
    const std::string& port = Fields.Port;
    const bool digits = !port.empty() && port.size() <= 5 &&
                        std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoul(port) > std::numeric_limits<uint16_t>::max()) {
        Dialogs_.MessageBox(Translate("sWrongPortNumber"), TMessageKind::Error, mbOK);
        return apWrongPort;
    }
    proxy.Port = uint16_t(std::stoul(port));
    proxy.ProxyUserName = Fields.ProxyUserName;
    proxy.ProxyUserPassword = Fields.ProxyUserPassword;
    proxy.UseProxyAuthentication = Fields.UseProxyAuthentication;
    proxy.ProxyProtocolHTTP = Fields.ProxyProtocolHTTP;
    proxy.ProxyProtocolFTP = Fields.ProxyProtocolFTP;
    Modified_ = false;
    return apApplied;
}

void TProxyEditor::Select(int index)
{
    if (Modified_ &&
        Dialogs_.MessageBox(Translate("sProxyParamChanged"), TMessageKind::Warning, mbYes | mbNo) == TModalResult::Yes)
        Apply();
    Show(index);
}

bool TProxyEditor::Add()
{
    std::string name = Translate("sProxyNameDefault");
    for (;;) {
        if (!Forms_.InputProxyName(name))
            return false;
        const char* refusal = name.empty() ? "sEmptyProxyName" : Proxies_.NameExists(name) ? "sDuplicateProxyName" : nullptr;
        if (!refusal)
            break;
        if (Dialogs_.MessageBox(Translate(refusal), TMessageKind::Error, mbOK | mbCancel) != TModalResult::OK)
            return false;
    }
    Proxies_.AddProxy(name);
    Show(Proxies_.Count() - 1);
    Modified_ = true;
    return true;
}

bool TProxyEditor::Delete()
{
    if (Selected_ < 0)
        return false;
    const std::string text = FormatMessage(Translate("sDeleteProxy"), {Proxies_[Selected_].Name});
    if (Dialogs_.MessageBox(text, TMessageKind::Warning, mbOK | mbCancel) != TModalResult::OK)
        return false;
    Proxies_.Delete(Selected_);
    Show(Selected_);
    return true;
}

TProxyEditor::TClose TProxyEditor::Ok()
{
    if (!Modified_)
        return clConfirmed;
    if (Dialogs_.MessageBox(Translate("sProxyParamChanged"), TMessageKind::Warning, mbYes | mbNo) != TModalResult::Yes)
        return clCancelled;
    return Apply() == apApplied ? clConfirmed : clStay;
}

bool TProxyEditor::Finish(TProxyCollection& proxies)
{
    if (Proxies_.HasEmptyAddress()) {
        if (Dialogs_.MessageBox(Translate("sHAsEmptyProxyAddress"), TMessageKind::Error, mbOK | mbCancel) !=
            TModalResult::OK)
            return false;
        Proxies_.DeleteEmptyAddresses();
    }
    proxies.Assign(Proxies_);
    return true;
}

int ShownProxyChoice(TProxyCollection& proxies, bool ftp)
{
    int32_t& way = ftp ? proxies.DefaultProxyFTP : proxies.DefaultProxyHTTP;
    if (!proxies.IsChoice(way, ftp))
        way = TProxyCollection::kSystem;
    const std::vector<TProxyCollection::TChoice> choices = proxies.Choices(ftp);
    for (std::size_t row = 0; row < choices.size(); ++row)
        if (choices[row].Way == way)
            return int(row);
    return int(TProxyCollection::kSystem);
}
