#pragma once

// What a task does with a destination file that is already there. The ordinals are
// stored as the option AlraedyInDiskWhatToDo.
enum TExistingFileDecision : int {
    efRename = 0,     // write to a free name beside it: "name[1].ext"
    efOverwrite = 1,
    efAddTo = 2,      // resume: keep its bytes and add the rest of the source
    efStop = 3,       // the task stops for good
    efAsk = 4,        // ask the user
};
