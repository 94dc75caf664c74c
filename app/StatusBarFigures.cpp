#include "app/StatusBarFigures.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "records/HistoryManager.h"

#include <cmath>

namespace {

// Status bar images.
constexpr int kImageTasks = 0;
constexpr int kImageRecords = 1;
constexpr int kImageReceived = 1;
constexpr int kImageTotalSize = 2;
constexpr int kImageSinceStart = 4;

TStatusPanel Panel(std::string text, TPanelImages images, int image, std::string tooltip, bool right = false)
{
    TStatusPanel panel;
    panel.Text = std::move(text);
    panel.Images = images;
    panel.ImageIndex = image;
    panel.Tooltip = std::move(tooltip);
    panel.RightAligned = right;
    return panel;
}

std::string Tip(const char* messageId, const TFormatArgs& args)
{
    return FormatMessage(Translate(messageId), args);
}

// "a" or "a (selected)".
std::string CountText(const std::string& count, bool selection, int selected)
{
    return selection ? count + " (" + std::to_string(selected) + ")" : count;
}

TStatusPanel SinceStartPanel(int64_t receivedSinceStart)
{
    return GuardedPanel([receivedSinceStart] {
        const std::string size = FormatSize(Options().iSizeType, receivedSinceStart);
        return Panel(size, TPanelImages::StatusBar, kImageSinceStart, Tip("sStatusPanelAllLoaded", {size}));
    });
}

// Received of total as a rounded percentage, 0 while the total is unknown.
int PercentOf(int64_t received, int64_t total)
{
    return total > 0 ? int(std::llround(double(received) * 100.0 / double(total))) : 0;
}

}  // namespace

TStatusPanel GuardedPanel(const std::function<TStatusPanel()>& build)
{
    try {
        return build();
    } catch (...) {
        return {};
    }
}

TStatusBarFigures DownloadsStatusBar(const TManagerTask& tasks, int64_t receivedSinceStart)
{
    TStatusBarFigures bar;
    const bool selection = tasks.HasSelection();
    bar[0] = GuardedPanel([&] {
        const int selected = tasks.CountSelected();
        if (const TStatusFilter filter = tasks.StatusFilter()) {
            const int shown = tasks.CountShown();
            return Panel(CountText(std::to_string(shown), selection, selected), TPanelImages::TaskState, *filter,
                         selection ? Tip("sStatusPanelTaskVizSel", {int64_t(shown), int64_t(selected)})
                                   : Tip("sStatusPanelTaskViz", {int64_t(shown)}));
        }
        const int active = tasks.ActiveCount();
        const int count = tasks.Tasks().Count();
        return Panel(CountText(std::to_string(active) + "/" + std::to_string(count), selection, selected),
                     TPanelImages::StatusBar, kImageTasks,
                     selection
                         ? Tip("sStatusPanelTaskDownloadSel", {int64_t(active), int64_t(count), int64_t(selected)})
                         : Tip("sStatusPanelTaskDownload", {int64_t(active), int64_t(count)}));
    });
    bar[1] = GuardedPanel([&] {
        const std::string size = FormatSize(suAuto, selection ? tasks.TotalSizeSelected() : tasks.TotalSizeShown());
        return Panel(size, TPanelImages::StatusBar, kImageTotalSize,
                     Tip(selection ? "sStatusPanelAllTaskSizeSel" : "sStatusPanelAllTaskSize", {size}), true);
    });
    bar[2] = GuardedPanel([&] {
        const std::string size = FormatSize(suAuto, selection ? tasks.TotalLoadedSelected() : tasks.TotalLoadedShown());
        return Panel(size, TPanelImages::StatusBar, kImageReceived,
                     Tip(selection ? "sStatusPanelAllTaskLoadedSel" : "sStatusPanelAllTaskLoaded", {size}), true);
    });
    bar[3] = GuardedPanel([&] {
        const int percent = selection ? PercentOf(tasks.TotalLoadedSelected(), tasks.TotalSizeSelected())
                                      : PercentOf(tasks.TotalLoadedShown(), tasks.TotalSizeShown());
        TStatusPanel panel = Panel(
            std::to_string(percent) + "%", TPanelImages::None, -1,
            Tip(selection ? "sStatusPanelAllTaskPercentSel" : "sStatusPanelAllTaskPercent", {int64_t(percent)}), true);
        panel.Percent = percent;
        return panel;
    });
    bar[4] = SinceStartPanel(receivedSinceStart);
    return bar;
}

TStatusBarFigures HistoryStatusBar(const THistoryManager& history, int64_t receivedSinceStart)
{
    TStatusBarFigures bar;
    const bool selection = history.HasSelection();
    bar[0] = GuardedPanel([&] {
        const int shown = history.CountShown();
        const int selected = history.CountSelected();
        return Panel(CountText(std::to_string(shown), selection, selected), TPanelImages::StatusBar, kImageRecords,
                     selection ? Tip("sStatusPanelHistorySel", {int64_t(shown), int64_t(selected)})
                               : Tip("sStatusPanelHistory", {int64_t(shown)}));
    });
    // The sizes show only when there is something to add up.
    bar[1] = GuardedPanel([&] {
        const int64_t total = history.TotalSizeShown();
        if (total <= 0)
            return TStatusPanel{};
        const std::string size = FormatSize(suAuto, total);
        return Panel(size, TPanelImages::StatusBar, kImageRecords, Tip("sStatusPanelAllTaskSize", {size}));
    });
    bar[2] = GuardedPanel([&] {
        const int64_t total = history.TotalSizeSelected();
        if (total <= 0)
            return TStatusPanel{};
        const std::string size = FormatSize(suAuto, total);
        return Panel(size, TPanelImages::StatusBar, kImageRecords, Tip("sStatusPanelAllTaskSizeSel", {size}));
    });
    bar[4] = SinceStartPanel(receivedSinceStart);
    return bar;
}

TStatusBarFigures StatusBarFiguresOf(TPage page, const TManagerTask& tasks, const THistoryManager& history,
                                     int64_t receivedSinceStart)
{
    if (page == pgTask)
        return DownloadsStatusBar(tasks, receivedSinceStart);
    if (page == pgHistory)
        return HistoryStatusBar(history, receivedSinceStart);
    return {};
}
