#pragma once

#include "tasks/ManagerTask.h"

#include <iterator>

class THistoryManager;

// The pages of the main window, in the order of its page control; a page's index is also
// its tab image.
enum TPage : int {
    pgTask = 0,  // downloads
    pgHistory = 1,
    pgRecycleBin = 2,
    pgHostManager = 3,
    pgScheduler = 4,
    pgExplorer = 5,  // empty
    pgCatalog = 6,   // empty
    pgVelmora = 7,   // the web page
};
inline constexpr int kPageCount = 8;

// The page's component (object) name in the main window.
const char* PageComponentName(TPage page);
// The main menu that belongs to the page ("mnManagerTask" ...), shown only while the page
// is in front; null for pages without one.
const char* PageMenuName(TPage page);

// The commands that put a page in front and carry its check mark.
struct TPageCommand {
    const char* Name;
    TPage Page;
};
// clang-format off
inline constexpr TPageCommand kPageCommands[] = {
    {"actShowTask", pgTask}, {"actShowHistory", pgHistory}, {"actShowHosts", pgHostManager},
    {"actShowScheduler", pgScheduler}, {"actRecycleBin", pgRecycleBin}, {"actShowLinks", pgCatalog},
    {"actShowVelmora", pgVelmora},
};
// clang-format on

// One node of the page tree. Identifiers choose the filter of the node's page: on the
// downloads page identifier - 1001 is the task state shown (-1: all), on the history page
// identifier - 2001 the date filter (THistoryDateFilter).
struct TTreePagesData {
    const char* Caption;  // message identifier
    int Parent;           // index of the parent node in kTreePages, -1 for a top node
    TPage Page;
    int Identifier;
    int ImageIndex;
};

// clang-format off
inline constexpr TTreePagesData kTreePages[] = {
    {"sPageTask", -1, pgTask, 1000, 0},
    {"sPageTaskStatus", 0, pgTask, 1000, 0},
    {"sPageTaskStatusWait", 1, pgTask, 1001, 8},
    {"sPageTaskStatusStarted", 1, pgTask, 1002, 9},
    {"sPageTaskStatusStopped", 1, pgTask, 1003, 10},
    {"sPageTaskStatusTemporaryPaused", 1, pgTask, 1008, 11},
    {"sPageTaskStatusScheduled", 1, pgTask, 1007, 12},
    {"sPageTaskStatusCompleted", 1, pgTask, 1006, 14},
    {"sPageTaskStatusError", 1, pgTask, 1005, 13},
    {"sPageTaskCategory", 0, pgTask, 1000, 0},
    {"sPageHistory", -1, pgHistory, 2000, 1},
    {"sPageHistoryToday", 10, pgHistory, 2001, 1},
    {"sPageHistoryYesterday", 10, pgHistory, 2002, 1},
    {"sPageHistoryWeek", 10, pgHistory, 2003, 1},
    {"sPageHistoryMonth", 10, pgHistory, 2004, 1},
    {"sPageHistoryCustom", 10, pgHistory, 2005, 1},
    {"sPageRecycleBin", -1, pgRecycleBin, 1000, 2},
    {"sPageManager", -1, pgHostManager, 1000, 3},
    {"sPageScheduler", -1, pgScheduler, 1000, 4},
    {"sPageExplorer", -1, pgExplorer, 1000, 5},
    {"sPageCatalog", -1, pgCatalog, 1000, 6},
    {"sPageVelmora", -1, pgVelmora, 1000, 7},
};
// clang-format on
inline constexpr int kTreePagesCount = int(std::size(kTreePages));

// The status filter a downloads node chooses: none (every task) unless identifier - 1001
// is a task state.
TStatusFilter StatusFilterOfNode(int identifier);
// The history filter a history node chooses: identifier - 2001, hdfAll outside the filters.
int HistoryFilterOfNode(int identifier);
// The node the tree selects when the page comes to the front some other way: the page's
// top node.
int NodeOfPage(TPage page);

// Choosing a node: the filter of its page. On the downloads page the task states, on the
// history page the dates (the custom node asks for the range; Cancel shows every record).
void ApplyPageNode(const TTreePagesData& node, TManagerTask& tasks, THistoryManager& history);
