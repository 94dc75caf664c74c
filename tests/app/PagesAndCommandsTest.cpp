#include "app/GenericCommands.h"
#include "app/PageTree.h"
#include "app/ViewToggles.h"
#include "app/WindowTitle.h"

#include "core/MessageCatalogue.h"
#include "core/VersionText.h"
#include "records/RecordBed.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(PageTreeTest, NodesChooseTheFiltersOfTheirPages)
{
    // Each state node shows the state its caption names.
    // clang-format off
    const struct {
        const char* Caption;
        TStatusFilter Filter;
    } states[] = {
        {"sPageTask", std::nullopt},
        {"sPageTaskStatus", std::nullopt},
        {"sPageTaskStatusWait", stateWait},
        {"sPageTaskStatusStarted", stateStarted},
        {"sPageTaskStatusStopped", stateStopped},
        {"sPageTaskStatusTemporaryPaused", stateTemporaryPaused},
        {"sPageTaskStatusScheduled", stateScheduled},
        {"sPageTaskStatusCompleted", stateCompleted},
        {"sPageTaskStatusError", stateErrorStopped},
        {"sPageTaskCategory", std::nullopt},
    };
    // clang-format on
    for (const auto& s : states) {
        const auto node = std::find_if(std::begin(kTreePages), std::end(kTreePages),
                                       [&](const TTreePagesData& n) { return std::strcmp(n.Caption, s.Caption) == 0; });
        ASSERT_NE(node, std::end(kTreePages)) << s.Caption;
        EXPECT_EQ(node->Page, pgTask);
        EXPECT_EQ(StatusFilterOfNode(node->Identifier), s.Filter) << s.Caption;
    }
    const int history[][2] = {{2000, hdfAll},   {2001, hdfToday},  {2002, hdfYesterday}, {2003, hdfWeek},
                              {2004, hdfMonth}, {2005, hdfCustom}, {1000, hdfAll}};
    for (const auto& h : history)
        EXPECT_EQ(HistoryFilterOfNode(h[0]), h[1]) << h[0];
    // Parents come before their children, and every page has a top node.
    for (int node = 0; node < kTreePagesCount; ++node)
        EXPECT_LT(kTreePages[node].Parent, node);
    for (int page = 0; page < kPageCount; ++page) {
        const int node = NodeOfPage(TPage(page));
        ASSERT_GE(node, 0) << page;
        EXPECT_EQ(kTreePages[node].ImageIndex, page);
    }
    EXPECT_STREQ(PageComponentName(pgScheduler), "tsManagerScheduler");
    EXPECT_STREQ(PageMenuName(pgRecycleBin), "mnRecycleBin");
    EXPECT_EQ(PageMenuName(pgVelmora), nullptr);
}

TEST(PageTreeTest, WaitingNodeShowsWaitingTasksAndTheDownloadsNodeAllAgain)
{
    TRecordBed bed;
    TManagerTask& tasks = bed.Tasks.OpenManager();
    THistoryManager history(bed.Environment, "");
    bed.Tasks.AddTask("/src/a", "/dst/", stateWait);
    bed.Tasks.AddTask("/src/b", "/dst/", stateStopped);
    bed.Tasks.AddTask("/src/c", "/dst/", stateWait);
    ApplyPageNode(kTreePages[2], tasks, history);
    EXPECT_EQ(tasks.CountShown(), 2);
    ApplyPageNode(kTreePages[NodeOfPage(pgTask)], tasks, history);
    EXPECT_EQ(tasks.CountShown(), 3);
    // The custom dates ask for the range; Cancel shows every record.
    ApplyPageNode(kTreePages[15], tasks, history);
    EXPECT_EQ(bed.RecordDialogs.Proposed.size(), 1u);
    EXPECT_EQ(history.DateFilter(), hdfAll);
    ApplyPageNode(kTreePages[12], tasks, history);
    EXPECT_EQ(history.DateFilter(), hdfYesterday);
}

TEST(GenericCommandsTest, RouteToThePageInFrontWhenTheirConditionHolds)
{
    TPageCommandState none;
    TPageCommandState selected;
    selected.HasSelection = true;
    selected.ListEmpty = false;
    TPageCommandState startable = selected;
    startable.CanStartImmediately = true;
    TPageCommandState clipboard;
    clipboard.ClipboardReadable = true;
    // clang-format off
    const struct {
        TGenericCommand Command;
        TPage Page;
        TPageCommandState State;
        const char* Routed;  // null: the page has no command for it
        bool Enabled;
    } cases[] = {
        {gcAdd, pgTask, none, "actTaskAdd", true},
        {gcAdd, pgHistory, none, "actTaskAdd", true},
        {gcAdd, pgRecycleBin, selected, nullptr, false},
        {gcAdd, pgScheduler, none, "actSchedulerAdd", true},
        {gcDelete, pgHostManager, none, "actHostsManagerDelete", false},
        {gcDelete, pgRecycleBin, selected, "actRecycleBinDelete", true},
        {gcReload, pgHistory, selected, "actHistoryReloadTask", true},
        {gcReload, pgScheduler, selected, nullptr, false},
        {gcStartImmediatelly, pgTask, selected, "actTaskStartImmediately", false},
        {gcStartImmediatelly, pgTask, startable, "actTaskStartImmediately", true},
        {gcStartImmediatelly, pgScheduler, selected, "actSchedulerExecuteTask", true},
        {gcStartImmediatelly, pgHistory, startable, nullptr, false},
        {gcProperties, pgHostManager, selected, "actHostsManagerProperties", true},
        {gcCopy, pgScheduler, selected, nullptr, false},
        {gcCopy, pgTask, selected, "actTaskCopyPathToClipboard", true},
        {gcPaste, pgTask, none, "actTaskPastePathFromClipboard", false},
        {gcPaste, pgTask, clipboard, "actTaskPastePathFromClipboard", true},
        {gcPaste, pgHostManager, none, "actHostsManagerPastePathFromClipboard", true},
        {gcPaste, pgHistory, clipboard, nullptr, false},
        {gcSelectAll, pgHostManager, none, "actHostManagerSelectAll", false},
        {gcSelectAll, pgHostManager, selected, "actHostManagerSelectAll", true},
        {gcFind, pgRecycleBin, selected, kFindDialog, true},
        {gcFind, pgTask, none, kFindDialog, false},
        {gcFind, pgHostManager, selected, nullptr, false},
        {gcDelete, pgVelmora, selected, nullptr, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::string name = std::string(GenericCommandName(c.Command)) + " on " + PageComponentName(c.Page);
        const char* routed = PageCommandOf(c.Command, c.Page);
        EXPECT_STREQ(routed ? routed : "", c.Routed ? c.Routed : "") << name;
        EXPECT_EQ(GenericCommandEnabled(c.Command, c.Page, c.State), c.Enabled) << name;
    }
}

TEST(GenericCommandsTest, PageStateComesFromItsManager)
{
    TRecordBed bed;
    TManagerTask& tasks = bed.Tasks.OpenManager();
    THistoryManager history(bed.Environment, "");
    const TMainPages pages{&tasks, &history, nullptr, nullptr, nullptr};
    bed.Tasks.AddTask("/src/a", "/dst/", stateStopped);
    TPageCommandState state = PageCommandState(pgTask, pages, true);
    EXPECT_FALSE(state.ListEmpty);
    EXPECT_FALSE(state.HasSelection);
    EXPECT_TRUE(state.ClipboardReadable);
    tasks.Rows().Row(0).Selected = true;
    state = PageCommandState(pgTask, pages, false);
    EXPECT_TRUE(state.HasSelection && state.CanStartImmediately);
    EXPECT_TRUE(GenericCommandEnabled(gcStartImmediatelly, pgTask, state));
    tasks.Tasks()[0].SetState(stateStarted);
    EXPECT_FALSE(PageCommandState(pgTask, pages, false).CanStartImmediately);
    EXPECT_TRUE(PageCommandState(pgHistory, pages, false).ListEmpty);
    // A page whose manager is not there yet offers nothing to act on.
    EXPECT_FALSE(GenericCommandEnabled(gcSelectAll, pgRecycleBin, PageCommandState(pgRecycleBin, pages, false)));
}

TEST(GenericCommandsTest, ActiveDownloadsPopupMarks)
{
    ClearMessageTexts();
    const int cases[][2] = {{1, 1}, {3, 3}, {5, 5}, {6, 6}, {8, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(NumActiveTaskItem(c[0]), c[1]) << c[0];
    EXPECT_EQ(NumActiveTaskItemCaption(4), "4");
    EXPECT_EQ(NumActiveTaskItemCaption(kNumActiveTaskAskItem), "sSelectNumActiveTask");
}

TEST(MainWindowTest, ViewTogglesAndTitle)
{
    const TOptions saved = Options();
    Options() = TOptions();
    EXPECT_FALSE(ToggleView("actShowSatusBar"));
    EXPECT_FALSE(Options().bShowStatusBar);
    EXPECT_FALSE(ViewToggleEnabled("actShowHintInStatusBar"));
    EXPECT_TRUE(ViewToggleEnabled("actShowTabs"));
    EXPECT_TRUE(ToggleView("actShowSatusBar"));
    EXPECT_TRUE(ViewToggleEnabled("actShowHintInStatusBar"));
    EXPECT_EQ(FindViewToggle("actExit"), nullptr);
    Options() = saved;

    SetMessageText("sSite", "https://example.org");
    EXPECT_EQ(MainWindowTitle(), VersionText() + " \u2014 Velmora: https://example.org");
    ClearMessageTexts();
}
