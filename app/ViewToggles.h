#pragma once

#include "config/Options.h"

#include <iterator>

// The main window's commands that switch an option on and off and show it as their check mark.
struct TViewToggle {
    const char* Command;
    bool TOptions::*Option;
};

// clang-format off
inline constexpr TViewToggle kViewToggles[] = {
    {"actShowSatusBar", &TOptions::bShowStatusBar},
    {"actShowHintInStatusBar", &TOptions::bShowHintInStatusBar},
    {"actShowHintForListView", &TOptions::bShowHintForListView},
    {"actShowIcons", &TOptions::ShowDefIcons},
    {"actShowTabPanel", &TOptions::bShowTabPanel},
    {"actShowTabs", &TOptions::bShowTabs},
    {"actMonitorClipboard", &TOptions::bMonitorClipboard},
};
// clang-format on
inline constexpr int kViewToggleCount = int(std::size(kViewToggles));

// The toggle of a command, or null.
const TViewToggle* FindViewToggle(const char* command);
// Flips the command's option; returns its new value (false for a command that is no toggle).
bool ToggleView(const char* command);
// Hints in the status bar can be switched only while the bar is shown.
bool ViewToggleEnabled(const char* command);
