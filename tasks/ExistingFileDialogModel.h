#pragma once

#include "config/ExistingFileDecision.h"
#include "tasks/DialogCountdown.h"

#include <string>

// The rules of the timed dialog for a destination file that is there already: write the
// copy under the new name of the edit, add to the file, overwrite it, or stop the task.
// "Rename" is chosen at first, whatever the task's own decision was.
class TExistingFileDialogModel {
public:
    // The edit proposes name.
    explicit TExistingFileDialogModel(const std::string& name) : Name(name) {}

    TExistingFileDecision Decision = efRename;
    std::string Name;       // the edit, enabled only while renaming
    bool Remember = false;  // "use my choice in future"
    TDialogCountdown Countdown;

    bool NameEnabled() const { return Decision == efRename; }
    // A new name must be a plain file name beside the old one: an empty one would make
    // the folder itself the destination, a delimiter or ".." would write elsewhere.
    bool OkEnabled() const;
    // OK: the decision, the name when renaming, and the box. False, changing nothing,
    // while OK is disabled. Cancel never comes here.
    bool Accept(TExistingFileDecision& decision, std::string& name, bool& remember) const;
};
