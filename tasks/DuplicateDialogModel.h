#pragma once

#include "tasks/DialogCountdown.h"

#include <string>

// The rules of the timed dialog for a task whose destination and name some task of the
// list has already: rename it (to the path in the edit) or do not add it. The GUI's dialog
// and the command line drive it.
class TDuplicateDialogModel {
public:
    // The edit proposes destination + delimiter + name; "rename" is chosen.
    TDuplicateDialogModel(const std::string& destination, const std::string& name);

    bool Rename = true;     // else "do not add"
    std::string Path;       // the edit, enabled only while Rename holds
    bool Remember = false;  // "use my choice in future"
    TDialogCountdown Countdown;

    bool PathEnabled() const { return Rename; }
    // OK: true with the destination and name of the edit when renaming, false for "do not
    // add"; a ticked box stores the choice in DuplicateTaskWhatToDo. Cancel never comes here.
    bool Accept(std::string& destination, std::string& name) const;
};
