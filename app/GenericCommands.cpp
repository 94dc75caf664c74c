#include "app/GenericCommands.h"

#include "core/MessageCatalogue.h"
#include "hosts/ManagerHost.h"
#include "records/HistoryManager.h"
#include "records/RecycleBinManager.h"
#include "records/SchedulerManager.h"

namespace {

// The page commands, by generic command and page (in TPage order up to the scheduler).
struct TRoute {
    const char* Name;
    const char* Pages[5];  // downloads, history, recycle bin, hosts, scheduler
};

// clang-format off
constexpr TRoute kRoutes[kGenericCommandCount] = {
    {"actAdd", {"actTaskAdd", "actTaskAdd", nullptr, "actHostsManagerAdd", "actSchedulerAdd"}},
    {"actDelete", {"actTaskDelete", "actHistoryDelete", "actRecycleBinDelete", "actHostsManagerDelete",
                   "actSchedulerDelete"}},
    {"actReload", {"actTaskReload", "actHistoryReloadTask", "actRecycleBinReload", nullptr, nullptr}},
    {"actStartImmediatelly", {"actTaskStartImmediately", nullptr, nullptr, nullptr, "actSchedulerExecuteTask"}},
    {"actProperties", {"actTaskProperties", "actHistoryProperties", "actRecycleBinProperties",
                       "actHostsManagerProperties", "actSchedulerProperties"}},
    {"actCopy", {"actTaskCopyPathToClipboard", "actHistoryCopyPathToClipboard", "actRecycleBinCopyPathToClipboard",
                 "actHostsManagerCopyPathToClipboard", nullptr}},
    {"actPaste", {"actTaskPastePathFromClipboard", nullptr, nullptr, "actHostsManagerPastePathFromClipboard",
                  nullptr}},
    {"actSelectAll", {"actTaskSelectAll", "actHistorySelectAll", "actRecycleBinSelectAll", "actHostManagerSelectAll",
                      "actSchedulerSelectAll"}},
    {"actFind", {kFindDialog, kFindDialog, kFindDialog, nullptr, nullptr}},
};
// clang-format on

bool ValidCommand(TGenericCommand command)
{
    return command >= 0 && command < kGenericCommandCount;
}

template <class TManager>
TPageCommandState RecordPageState(const TManager* manager)
{
    TPageCommandState state;
    if (manager) {
        state.HasSelection = manager->HasSelection();
        state.ListEmpty = !manager->HasShown();
    }
    return state;
}

}  // namespace

const char* GenericCommandName(TGenericCommand command)
{
    return ValidCommand(command) ? kRoutes[command].Name : "";
}

const char* PageCommandOf(TGenericCommand command, TPage page)
{
    if (!ValidCommand(command) || page < pgTask || page > pgScheduler)
        return nullptr;
    return kRoutes[command].Pages[page];
}

bool GenericCommandEnabled(TGenericCommand command, TPage page, const TPageCommandState& state)
{
    if (!PageCommandOf(command, page))
        return false;
    switch (command) {
    case gcAdd: return true;
    case gcDelete:
    case gcProperties:
    case gcCopy:
    case gcReload: return state.HasSelection;
    case gcStartImmediatelly: return state.HasSelection && (page != pgTask || state.CanStartImmediately);
    case gcSelectAll:
    case gcFind: return !state.ListEmpty;
    case gcPaste: return page == pgHostManager || state.ClipboardReadable;
    }
    return false;
}

TPageCommandState PageCommandState(TPage page, const TMainPages& pages, bool clipboardReadable)
{
    TPageCommandState state;
    switch (page) {
    case pgTask:
        if (pages.Tasks) {
            state.HasSelection = pages.Tasks->HasSelection();
            state.ListEmpty = pages.Tasks->CountShown() == 0;
            state.CanStartImmediately = pages.Tasks->CanStartSelected();
        }
        break;
    case pgHistory: state = RecordPageState(pages.History); break;
    case pgRecycleBin: state = RecordPageState(pages.RecycleBin); break;
    case pgScheduler: state = RecordPageState(pages.Scheduler); break;
    case pgHostManager:
        if (pages.Hosts) {
            state.HasSelection = pages.Hosts->HasSelectedHosts();
            state.ListEmpty = !pages.Hosts->HasHosts();
        }
        break;
    default: break;
    }
    state.ClipboardReadable = clipboardReadable;
    return state;
}

std::string NumActiveTaskItemCaption(int item)
{
    return item == kNumActiveTaskAskItem ? Translate("sSelectNumActiveTask") : std::to_string(item);
}
