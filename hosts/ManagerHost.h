#pragma once

#include "core/ListSort.h"
#include "core/MessageBoxPort.h"
#include "core/RowList.h"
#include "core/XmlRecords.h"
#include "hosts/Host.h"
#include "hosts/HostColumns.h"
#include "hosts/HostDialogs.h"
#include "tasks/TaskPorts.h"

#include <string>
#include <string_view>

class TTrafficUsageCollection;
class TTaskItem;

// Everything outside the host list that the host manager reaches.
struct THostEnvironment {
    IMessageBoxPort& Boxes;
    ITaskDialogs& Dialogs;
    IHostDialogs& HostDialogs;
    IDesktop& Desktop;
    TTrafficUsageCollection& ConnectionTypes;  // their default priority serves tasks on no host
};

// The limit a host made for a task starts with, by the kind of its link and the options.
struct TConnectionDefaults {
    bool AllowUnlimitedConnection = false;
    int32_t MaxConnection = 1;
};
TConnectionDefaults GetLinkConnectionDefaults(std::string_view link);

using THostRows = TRowList<THost>;

// The hosts with their file "hosts.xml" and the rows of the host page. Answers the task
// manager's questions about connection limits, counts the transfers that run against each
// host, and gives every task a host (a temporary one, by default, that is never saved).
// Main thread only.
class TManagerHost : public TCollectionManager<THosts>, public ITaskHosts {
public:
    // Loads fileName (none: an empty list that is never saved until a name is given).
    TManagerHost(THostEnvironment& environment, const std::string& fileName);

    THosts& Hosts() { return Items(); }
    const THosts& Hosts() const { return Items(); }
    // One row per host, in list order when filled, new hosts at the end.
    THostRows& Rows() { return Rows_; }
    const THostRows& Rows() const { return Rows_; }

    const char* RootName() const override { return "Hosts"; }
    void LoadFromFile(const std::string& name) override;

    // The first host whose Address begins path, ignoring case; a link with credentials
    // that no Address begins is tried once more without them. None for an empty path; an
    // empty Address covers every other path.
    THost* FindHost(std::string_view path);
    const THost* FindHost(std::string_view path) const;

    // The task manager's questions, each about a task's source.
    bool CanConnect(const std::string& link) override;
    void ConnectionOpened(const std::string& link) override;
    // Never drives a count below 0: a host made or loaded while its transfers ran has not
    // counted them.
    void ConnectionClosed(const std::string& link) override;
    // Makes a host for the task's source unless one covers it or the source names no server.
    void EnsureTaskHost(TTaskItem& task, bool temporary) override;
    TTrafficPriority DefaultPriority() const override;
    void SetDefaultPriority(TTrafficPriority priority) override;

    void GetHostDefaults(std::string_view path, bool allowGlobal, THostDefaults& defaults) const override;

    // Commands of the host page.
    bool HasHosts() const { return Hosts().Count() > 0; }
    bool HasSelectedHosts() const { return Rows_.CountSelected() > 0; }
    void SelectAllHosts() { Rows_.SelectAllShown(); }
    // Shows the host dialog on a new host; on OK adds it with a row and returns it.
    THost* AddHostWithDialog(const std::string& name, const std::string& address);
    // AddHostWithDialog for the server of link, or an error box when it names none.
    void AddHostFromLink(const std::string& link);
    // The dialog for each selected host in turn; Cancel skips one host.
    void EditSelectedHosts();
    void DeleteSelectedHosts();
    void ClearHosts();
    // actHostsManagerDelete and actHostsManagerClear: the question first, unless its
    // "don't ask again" option is set.
    void DeleteSelectedAfterConfirmation();
    void ClearAfterConfirmation();
    // The selected hosts' names, one a line.
    void CopySelectedHostsToClipboard();
    // One host dialog per line of the clipboard, the line as name and address.
    void PasteHostsFromClipboard();
    void OpenSelectedHosts();
    // A click on a column header.
    void SortRows(THostColumn column, bool descending);
    // The rows in the sort's order; without a sort column in the order of the hosts.
    void SortRows(const TListSort& sort);

protected:
    void ClearItems() override;

private:
    THost& AppendHost(const THostProperties& properties);

    THostEnvironment& Env_;
    THostRows Rows_;
};
