#pragma once

class TManagerTask;

// The popup of the active-downloads command: items "1" to "5" and a last one that asks.
inline constexpr int kNumActiveTaskItems = 5;
inline constexpr int kNumActiveTaskAskItem = kNumActiveTaskItems + 1;

// Sets the manager's limit of active downloads and the option ListMaxActiveTask from the
// item chosen. Items 1 to 5 give their number; the last one asks the user, starting at the
// current limit: Cancel keeps it, and an answer below 1 becomes 1. The next tick uses the
// new limit. Returns it.
int SetNumActiveTask(TManagerTask& manager, int item);
// The item the popup marks for a limit: its own for 1 to 5, the last one above.
int NumActiveTaskItem(int limit);
