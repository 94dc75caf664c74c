#pragma once

#include "app/PageTree.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class THistoryManager;

// Where a panel's image comes from: the status bar's own images, or the task list's state
// images (whose index is the state's ordinal).
enum class TPanelImages { None, StatusBar, TaskState };

// One of the five drawn panels of the status bar. An empty panel (no text, no image) is
// only filled with the bar's colour.
struct TStatusPanel {
    std::string Text;
    TPanelImages Images = TPanelImages::None;
    int ImageIndex = -1;
    bool RightAligned = false;
    // Panel 3 of the downloads page: the percentage its bar shows; -1 draws no bar.
    int Percent = -1;
    std::string Tooltip;

    bool Empty() const { return Text.empty() && Images == TPanelImages::None && Percent < 0; }
};

inline constexpr int kDrawnStatusPanels = 5;
using TStatusBarFigures = std::array<TStatusPanel, kDrawnStatusPanels>;

// The figures of the downloads page: counts of the active, listed, shown and selected
// tasks, and sizes of the selection, or of every shown task without one.
TStatusBarFigures DownloadsStatusBar(const TManagerTask& tasks, int64_t receivedSinceStart);
// The figures of the history page.
TStatusBarFigures HistoryStatusBar(const THistoryManager& history, int64_t receivedSinceStart);
// The figures of the page in front; empty panels for pages other than downloads and history.
TStatusBarFigures StatusBarFiguresOf(TPage page, const TManagerTask& tasks, const THistoryManager& history,
                                     int64_t receivedSinceStart);

// A panel built by build, or an empty one when gathering its figures failed: the status
// bar is painted on every tick and must never stop the program.
TStatusPanel GuardedPanel(const std::function<TStatusPanel()>& build);
