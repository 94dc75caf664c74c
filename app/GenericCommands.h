#pragma once

#include "app/PageTree.h"
#include "tasks/ActiveTaskLimit.h"

#include <string>

class TManagerHost;
class TRecycleBinManager;
class TSchedulerManager;

// The commands of the main window that act on whichever page is in front.
enum TGenericCommand : int {
    gcAdd,
    gcDelete,
    gcReload,
    gcStartImmediatelly,
    gcProperties,
    gcCopy,
    gcPaste,
    gcSelectAll,
    gcFind,
};
inline constexpr int kGenericCommandCount = 9;

// The command's name ("actAdd" ...).
const char* GenericCommandName(TGenericCommand command);

// What the find command routes to: the find dialog over the page's list.
inline constexpr const char* kFindDialog = "ShowFindDialog";

// The page's command that the generic command runs ("actTaskDelete" ...; kFindDialog for
// the find command), or null when the page has none: then it does nothing.
const char* PageCommandOf(TGenericCommand command, TPage page);

// What the enabled states depend on, for the page in front.
struct TPageCommandState {
    bool HasSelection = false;
    bool ListEmpty = true;
    // The downloads page: the selected tasks can be started at once.
    bool CanStartImmediately = false;
    // The clipboard holds something the paste command can read.
    bool ClipboardReadable = false;
};

// Enabled when the page has a command for it and that command's condition holds.
bool GenericCommandEnabled(TGenericCommand command, TPage page, const TPageCommandState& state);

// The managers behind the pages; one not created yet is null.
struct TMainPages {
    const TManagerTask* Tasks = nullptr;
    const THistoryManager* History = nullptr;
    const TRecycleBinManager* RecycleBin = nullptr;
    const TManagerHost* Hosts = nullptr;
    const TSchedulerManager* Scheduler = nullptr;
};

// The state of the page from its manager: selection and list of the shown rows; on the
// downloads page whether the selection can start (as the start command is enabled).
TPageCommandState PageCommandState(TPage page, const TMainPages& pages, bool clipboardReadable);

// The popup of the number of downloads at once (the items are those of
// tasks/ActiveTaskLimit.h): the caption of an item.
std::string NumActiveTaskItemCaption(int item);
