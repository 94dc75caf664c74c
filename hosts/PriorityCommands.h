#pragma once

#include "tasks/TaskTypes.h"

#include <array>
#include <string>

class TManagerTask;
class TTrafficUsageCollection;

// The priority commands of the task list as the GUI renders them: actSetTrafLowest ..
// actSetTrafHighest, whose tag is their priority, and actChangeTrafUse.
struct TPriorityCommandState {
    std::string Caption;
    bool Checked = false;   // the current priority: the first selected task's, or the default
};
struct TPriorityCommandsState {
    std::array<TPriorityCommandState, kTrafficPriorityCount> SetTraf;  // by tag
    int ChangeTrafUseImage = 0;
};

// The first image of the priorities in the main window's image list. Image indices are
// presentation: they move to the qt/ side once the window exists.
inline constexpr int kPriorityImageBase = 31;

TPriorityCommandsState GetPriorityCommandsState(const TManagerTask& manager, const TTrafficUsageCollection& types);
// actSetTraf...: the selected tasks, or without a selection the default, take the priority.
void SetTrafficPriority(TManagerTask& manager, int tag);
// actChangeTrafUse: every selected task takes the first selected task's priority.
void ChangeTrafficUse(TManagerTask& manager);
