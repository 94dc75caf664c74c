#include "hosts/ManagerHost.h"

#include "config/Options.h"
#include "core/Links.h"
#include "core/MessageCatalogue.h"
#include "core/TextCase.h"
#include "hosts/HostColumns.h"
#include "hosts/SpeedFormats.h"
#include "hosts/TrafficUsage.h"
#include "tasks/TaskItem.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace {

// The link without the user part of its server ("ftp://user:pw@host/f" gives "ftp://host/f"),
// or empty when it has none.
std::string WithoutUserPart(std::string_view link)
{
    const std::size_t schemeEnd = link.find("://");
    if (schemeEnd == std::string_view::npos)
        return {};
    const std::size_t serverStart = schemeEnd + 3;
    const std::size_t serverEnd = std::min(link.find_first_of("/?#", serverStart), link.size());
    const std::size_t at = link.substr(serverStart, serverEnd - serverStart).rfind('@');
    if (at == std::string_view::npos)
        return {};
    return std::string(link.substr(0, serverStart)) + std::string(link.substr(serverStart + at + 1));
}

TConnectionDefaults LimitFromOptions(bool limit, int maxConnection)
{
    // A limit below one transfer would keep the host's tasks waiting for ever.
    return {!limit, std::max(maxConnection, kMinHostConnections)};
}

} // namespace

TConnectionDefaults GetLinkConnectionDefaults(std::string_view link)
{
    const TOptions& o = Options();
    switch (GetLinkType(link)) {
    case ltFile: return LimitFromOptions(o.bLimitConnectionNetbiosDef, o.iMaxConnectionNetbiosDef);
    case ltFTP: return LimitFromOptions(o.bLimitConnectionFTPDef, o.iMaxConnectionFTPDef);
    case ltHTTP: return LimitFromOptions(o.bLimitConnectionHTTPDef, o.iMaxConnectionHTTPDef);
    default: return {false, 1};
    }
}

TManagerHost::TManagerHost(THostEnvironment& environment, const std::string& fileName)
    : TCollectionManager(environment.Boxes), Env_(environment)
{
    // The hosts hold their servers' passwords.
    File().SetFileMode(0600);
    LoadFromFile(fileName);
}

void TManagerHost::LoadFromFile(const std::string& name)
{
    TCollectionManager::LoadFromFile(name);
    std::vector<THost*> hosts;
    for (int i = 0; i < Hosts().Count(); ++i)
        hosts.push_back(&Hosts()[i]);
    Rows_.Assign(hosts);
}

void TManagerHost::ClearItems()
{
    Rows_.Clear();
    TCollectionManager::ClearItems();
}

THost* TManagerHost::FindHost(std::string_view path)
{
    return const_cast<THost*>(std::as_const(*this).FindHost(path));
}

const THost* TManagerHost::FindHost(std::string_view path) const
{
    if (path.empty())
        return nullptr;
    for (int i = 0; i < Hosts().Count(); ++i)
        if (StartsText(Hosts()[i].Address, path))
            return &Hosts()[i];
    // Host addresses never hold credentials, so a link that does would escape the host
    // made for it: its limit, and the next task would make a second host.
    const std::string withoutUser = WithoutUserPart(path);
    return withoutUser.empty() ? nullptr : FindHost(withoutUser);
}

bool TManagerHost::CanConnect(const std::string& link)
{
    const THost* host = FindHost(link);
    return !host || host->AllowUnlimitedConnection || host->ActiveConnection < host->MaxConnection;
}

void TManagerHost::ConnectionOpened(const std::string& link)
{
    if (THost* host = FindHost(link)) {
        ++host->ActiveConnection;
        Rows_.Changed();
    }
}

void TManagerHost::ConnectionClosed(const std::string& link)
{
    if (THost* host = FindHost(link)) {
        host->ActiveConnection = std::max(host->ActiveConnection - 1, 0);
        Rows_.Changed();
    }
}

void TManagerHost::EnsureTaskHost(TTaskItem& task, bool temporary)
{
    if (FindHost(task.Source))
        return;
    const TConnectionDefaults limit = GetLinkConnectionDefaults(task.Source);
    const std::string name = ExtractHostName(task.Source);
    if (name.empty())
        return;
    THostProperties properties;
    properties.Name = name;
    properties.Address = ExtractHostAddress(task.Source);
    properties.LoginToServer = task.LoginToSource;
    properties.UserLogin = task.UserLoginToSource;
    properties.UserPassword = task.UserPasswordToSource;
    properties.AllowUnlimitedConnection = limit.AllowUnlimitedConnection;
    properties.MaxConnection = limit.MaxConnection;
    properties.TrafficPriority = task.TrafficPriority;
    properties.Temporary = temporary;
    THost& host = AppendHost(properties);
    // A task read from the list as running started before its host existed, so its start
    // went uncounted; its end will be counted here.
    if (task.IsRunning()) {
        host.ActiveConnection = 1;
        Rows_.Changed();
    }
}

TTrafficPriority TManagerHost::DefaultPriority() const
{
    return Env_.ConnectionTypes.DefTraf;
}

void TManagerHost::SetDefaultPriority(TTrafficPriority priority)
{
    Env_.ConnectionTypes.DefTraf = priority;
}

void TManagerHost::GetHostDefaults(std::string_view path, bool allowGlobal, THostDefaults& defaults) const
{
    if (const THost* host = FindHost(path)) {
        defaults.Priority = host->TrafficPriority;
        defaults.LoginToServer = host->LoginToServer;
        if (host->LoginToServer) {
            defaults.UserLogin = host->UserLogin;
            defaults.UserPassword = host->UserPassword;
        }
    } else if (allowGlobal) {
        const TOptions& o = Options();
        defaults.Priority = DefaultPriority();
        defaults.LoginToServer = o.DefaultLoginToServer;
        if (o.DefaultLoginToServer) {
            defaults.UserLogin = o.DefaultUserLogin;
            defaults.UserPassword = o.DefaultUserPassword;
        }
    }
}

THost& TManagerHost::AppendHost(const THostProperties& properties)
{
    THost& host = Hosts().AddHost(properties);
    Rows_.Add(&host);
    return host;
}

THost* TManagerHost::AddHostWithDialog(const std::string& name, const std::string& address)
{
    THostProperties properties;
    properties.Name = name;
    properties.Address = address;
    properties.TrafficPriority = tpHighestPriority;
    THostForm form = OpenHostForm(properties, PriorityCaptions(Env_.ConnectionTypes));
    if (!Env_.HostDialogs.ShowHostProperties(form) || !form.CanConfirm())
        return nullptr;
    ApplyHostForm(form, properties);
    return &AppendHost(properties);
}

void TManagerHost::AddHostFromLink(const std::string& link)
{
    const std::string name = ExtractHostName(link);
    if (name.empty()) {
        Env_.Dialogs.MessageBox(Translate("sUnabledetectHostName"), TMessageKind::Error, mbOK);
        return;
    }
    AddHostWithDialog(name, ExtractHostAddress(link));
}

void TManagerHost::EditSelectedHosts()
{
    for (THost* host : Rows_.SelectedRecords()) {
        THostForm form = OpenHostForm(host->Properties(), PriorityCaptions(Env_.ConnectionTypes));
        if (!Env_.HostDialogs.ShowHostProperties(form) || !form.CanConfirm())
            continue;
        THostProperties properties = host->Properties();
        ApplyHostForm(form, properties);
        host->SetProperties(properties);
        Rows_.Changed();
    }
}

void TManagerHost::DeleteSelectedHosts()
{
    Hosts().BeginUpdate();
    for (int row = Rows_.Count() - 1; row >= 0; --row) {
        const auto& entry = Rows_.Row(row);
        if (!entry.Selected || entry.Hidden)
            continue;
        THost* host = entry.Record;
        Rows_.Delete(row);
        Hosts().Delete(Hosts().IndexOf(host));
    }
    Hosts().EndUpdate();
    Rows_.Changed();
}

void TManagerHost::ClearHosts()
{
    ClearItems();
    Rows_.Changed();
}

void TManagerHost::DeleteSelectedAfterConfirmation()
{
    if (HasSelectedHosts() &&
        MessageBoxWithCheck(Env_.Dialogs, Translate("sAllSelectedHostsDelete"), TMessageKind::Warning, mbOK | mbCancel,
                            Options().bdsAllSelectedHostsDelete) == TModalResult::OK)
        DeleteSelectedHosts();
}

void TManagerHost::ClearAfterConfirmation()
{
    if (HasHosts() && MessageBoxWithCheck(Env_.Dialogs, Translate("sHostsClear"), TMessageKind::Warning,
                                          mbOK | mbCancel, Options().bdsHostsClear) == TModalResult::OK)
        ClearHosts();
}

void TManagerHost::CopySelectedHostsToClipboard()
{
    std::string text;
    for (const THost* host : Rows_.SelectedRecords())
        text += (text.empty() ? "" : "\r\n") + host->Name;
    if (!text.empty())
        Env_.Desktop.SetClipboardText(text);
}

void TManagerHost::PasteHostsFromClipboard()
{
    const std::string text = Env_.Desktop.ClipboardText();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string line = text.substr(start, end - start);
        // A blank line names no host: no dialog for it.
        if (!line.empty())
            AddHostWithDialog(line, line);
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

void TManagerHost::OpenSelectedHosts()
{
    for (const THost* host : Rows_.SelectedRecords())
        Env_.Desktop.OpenInBackground(host->Address);
}

void TManagerHost::SortRows(THostColumn column, bool descending)
{
    Rows_.Sort([column, descending](const THost& a, const THost& b) {
        return descending ? HostColumnLess(b, a, column) : HostColumnLess(a, b, column);
    });
}

void TManagerHost::SortRows(const TListSort& sort)
{
    if (sort.Column >= 0 && sort.Column < kHostColumnCount) {
        SortRows(THostColumn(sort.Column), !sort.Ascending);
        return;
    }
    std::unordered_map<const THost*, int> order;
    for (int i = 0; i < Hosts().Count(); ++i)
        order.emplace(&Hosts()[i], i);
    Rows_.Sort([&order](const THost& a, const THost& b) { return order.at(&a) < order.at(&b); });
}
