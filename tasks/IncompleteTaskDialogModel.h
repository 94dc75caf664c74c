#pragma once

#include "tasks/DialogCountdown.h"
#include "tasks/TaskPorts.h"

#include <string>

class TTaskItem;

// The rules of the timed dialog that asks what becomes of the received part of a task
// being deleted: delete it (chosen at first) or leave it.
class TIncompleteTaskDialogModel {
public:
    // The text tells how much of how much was received (sAskPerformDeleteIncompleteTaskInfo).
    explicit TIncompleteTaskDialogModel(const TTaskItem& task);

    std::string Info;
    bool DeleteFile = true;
    bool Remember = false;  // "use my choice in future"
    TDialogCountdown Countdown;

    // OK, pressed or timed out. Cancel answers TIncompleteTaskAnswer{}.
    TIncompleteTaskAnswer Accept() const { return {.Confirmed = true, .DeleteFile = DeleteFile, .Remember = Remember}; }
};
