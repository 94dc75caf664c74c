#pragma once

#include "tasks/TaskTypes.h"

#include <string>

class TTaskItem;

// The editable properties of a task as the task dialog and the adding flow exchange them.
struct TTaskProp {
    std::string Source{};
    std::string Destination{};
    bool LoginToSource = false;
    std::string UserLoginToSource{};
    std::string UserPasswordToSource{};
    bool LoginToDestination = false;
    std::string UserLoginToDestination{};
    std::string UserPasswordToDestination{};
    // Empty: derive the name from the source. From the dialog of an existing task: unchanged.
    std::string Name{};
    TTaskStart TypeStart = tsAutomatic;
    TTrafficPriority TrafficPriority = tpMiddlePriority;
};

// The task's values, its name as read (derived when none is stored).
TTaskProp TaskPropOf(const TTaskItem& task);
// Whether the dialog's answer differs from the task (texts compared with case). An empty
// Name leaves the name as it is, so it is no change.
bool TaskChanged(const TTaskItem& task, const TTaskProp& prop);
// Gives the task the dialog's answer, keeping its state. A copy that is to go to another
// file (a new folder or name) starts again from its first byte.
void ApplyProps(TTaskItem& task, const TTaskProp& prop);
