#include "app/StatusBarFigures.h"

#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "records/RecordBed.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A panel as "image text" (the image as "s2" or "t2" for the bar's or the task states'),
// ">" before right-aligned text, "[percent]" for a bar; "-" when empty.
std::string Shown(const TStatusPanel& panel)
{
    if (panel.Empty())
        return "-";
    std::string text;
    if (panel.Images != TPanelImages::None)
        text += (panel.Images == TPanelImages::StatusBar ? "s" : "t") + std::to_string(panel.ImageIndex) + " ";
    if (panel.Percent >= 0)
        text += "[" + std::to_string(panel.Percent) + "]";
    return text + (panel.RightAligned ? ">" : "") + panel.Text;
}

std::vector<std::string> Shown(const TStatusBarFigures& bar)
{
    std::vector<std::string> panels;
    for (const TStatusPanel& panel : bar)
        panels.push_back(Shown(panel));
    return panels;
}

}  // namespace

TEST(StatusBarFiguresTest, PanelsOfEachPage)
{
    TRecordBed bed;
    SetMessageText("sSizeByte", "B");
    SetMessageText("sStatusPanelTaskDownloadSel", "%d of %d, %d selected");
    SetMessageText("sStatusPanelAllTaskPercent", "%d%% in all");
    SetMessageText("sStatusPanelHistory", "%d records");
    TManagerTask& tasks = bed.Tasks.OpenManager();
    THistoryManager history(bed.Environment, "");
    TTaskItem& a = bed.Tasks.AddTask("/src/a", "/dst/", stateWait);
    a.Size = 100;
    a.Loaded = 50;
    TTaskItem& b = bed.Tasks.AddTask("/src/b", "/dst/", stateStopped);
    b.Size = 300;
    b.Loaded = 100;
    history.AddToHistory(bed.Record("r1", 0, 0));
    history.AddToHistory(bed.Record("r2", 0, 0));
    const auto select = [](auto& rows, int row) {
        rows.ClearSelection();
        if (row >= 0)
            rows.Row(row).Selected = true;
    };

    // clang-format off
    const struct {
        const char* Name;
        TPage Page;
        TStatusFilter Filter;
        int SelectedTask;
        int SelectedRecord;
        std::vector<std::string> Panels;
    } cases[] = {
        {"all tasks", pgTask, {}, -1, -1, {"s0 0/2", "s2 >400 B", "s1 >150 B", "[38]>38%", "s4 7 B"}},
        {"a selection", pgTask, {}, 0, -1, {"s0 0/2 (1)", "s2 >100 B", "s1 >50 B", "[50]>50%", "s4 7 B"}},
        {"stopped tasks", pgTask, stateStopped, -1, -1, {"t2 1", "s2 >300 B", "s1 >100 B", "[33]>33%", "s4 7 B"}},
        {"no waiting task selected", pgTask, stateStopped, 0, -1,
         {"t2 1", "s2 >300 B", "s1 >100 B", "[33]>33%", "s4 7 B"}},
        {"history without sizes", pgHistory, {}, -1, -1, {"s1 2", "-", "-", "-", "s4 7 B"}},
        {"history with a selection", pgHistory, {}, -1, 1, {"s1 2 (1)", "-", "-", "-", "s4 7 B"}},
        {"hosts", pgHostManager, {}, 0, 0, {"-", "-", "-", "-", "-"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        tasks.SetStatusFilter(c.Filter);
        select(tasks.Rows(), c.SelectedTask);
        select(history.Rows(), c.SelectedRecord);
        EXPECT_EQ(Shown(StatusBarFiguresOf(c.Page, tasks, history, 7)), c.Panels) << c.Name;
    }

    tasks.SetStatusFilter({});
    select(tasks.Rows(), 1);
    const TStatusBarFigures bar = DownloadsStatusBar(tasks, 0);
    EXPECT_EQ(bar[0].Tooltip, "0 of 2, 1 selected");
    select(tasks.Rows(), -1);
    EXPECT_EQ(DownloadsStatusBar(tasks, 0)[3].Tooltip, "38% in all");
    select(history.Rows(), -1);
    EXPECT_EQ(HistoryStatusBar(history, 0)[0].Tooltip, "2 records");

    // Sizes of the history show once there are some; unknown task sizes give no percentage.
    history.AddToHistory(bed.Record("r3", 0, 2048));
    select(history.Rows(), 0);
    EXPECT_EQ(Shown(HistoryStatusBar(history, 7)),
              (std::vector<std::string>{"s1 3 (1)", "s1 2.0 sSizeKByte", "s1 2.0 sSizeKByte", "-", "s4 7 B"}));
    a.Size = b.Size = -1;
    EXPECT_EQ(Shown(DownloadsStatusBar(tasks, 7)[3]), "[0]>0%");
    ClearMessageTexts();
}

TEST(StatusBarFiguresTest, FailureLeavesOnlyItsPanelEmptyAndTheBarWithinItsBox)
{
    EXPECT_TRUE(GuardedPanel([]() -> TStatusPanel { throw std::runtime_error("gone"); }).Empty());
    TStatusPanel built;
    built.Text = "x";
    EXPECT_EQ(GuardedPanel([&] { return built; }).Text, "x");
    const int cases[][3] = {{0, 100, 0}, {38, 100, 38}, {50, 7, 4}, {250, 60, 60}, {-5, 60, 0}, {50, 0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ProgressFillWidth(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}
