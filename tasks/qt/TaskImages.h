#pragma once

#include "tasks/TaskTypes.h"

#include <QIcon>

// The images of the task lists, drawn by the program: one per task state (the state image
// of a row, the page tree, the status bar) and one per traffic priority.
QIcon TaskStateIcon(TTaskState state);
QIcon PriorityIcon(TTrafficPriority priority);
