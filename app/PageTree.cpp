#include "app/PageTree.h"

#include "records/HistoryManager.h"

const char* PageComponentName(TPage page)
{
    static constexpr const char* kNames[kPageCount] = {
        "tsManagerTask",      "tsManagerHistory", "tsRecycleBin", "tsHostManager",
        "tsManagerScheduler", "tsExplorer",       "tsCatalog",    "tsVelmora",
    };
    return page >= 0 && page < kPageCount ? kNames[page] : "";
}

const char* PageMenuName(TPage page)
{
    switch (page) {
    case pgTask: return "mnManagerTask";
    case pgHistory: return "mnHistoryManager";
    case pgRecycleBin: return "mnRecycleBin";
    case pgHostManager: return "mnHostManager";
    case pgScheduler: return "mnScheduler";
    default: return nullptr;
    }
}

TStatusFilter StatusFilterOfNode(int identifier)
{
    const int state = identifier - 1001;
    if (state < 0 || state >= kTaskStateCount)
        return std::nullopt;
    return static_cast<TTaskState>(state);
}

int HistoryFilterOfNode(int identifier)
{
    const int filter = identifier - 2001;
    return filter >= hdfToday && filter <= hdfCustom ? filter : hdfAll;
}

int NodeOfPage(TPage page)
{
    for (int node = 0; node < kTreePagesCount; ++node)
        if (kTreePages[node].Page == page && kTreePages[node].Parent < 0)
            return node;
    return -1;
}

void ApplyPageNode(const TTreePagesData& node, TManagerTask& tasks, THistoryManager& history)
{
    if (node.Page == pgTask) {
        tasks.SetStatusFilter(StatusFilterOfNode(node.Identifier));
    } else if (node.Page == pgHistory) {
        const int filter = HistoryFilterOfNode(node.Identifier);
        if (filter == hdfCustom)
            history.ChooseCustomRange();
        else
            history.SetDateFilter(filter);
    }
}
