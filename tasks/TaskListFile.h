#pragma once

#include <string>

class TManagerTask;

// The list commands and the two file names they keep apart. The manager's current file
// is what automatic saving writes: the list last opened, appended or created. The
// remembered file is the start-up list, or the last one saved as: Save and the end of the
// program write to it and make it current again. It lives for one run.
class TTaskListFile {
public:
    // remembered: the list the manager was opened on at start-up.
    TTaskListFile(TManagerTask& manager, std::string remembered);

    const std::string& RememberedFileName() const { return Remembered_; }

    // actListNew: an empty list that later saves write to name; nothing is written yet.
    void New(const std::string& name);
    // actListOpen: the list of the file in place of the tasks.
    void Open(const std::string& name);
    // actListAppend: the file's tasks after the list's own.
    void Append(const std::string& name);
    // actListSave, and the end of the program: writes the remembered file. True when written.
    bool Save();
    // actListSaveAs: name becomes the remembered and the current file, and is written.
    bool SaveAs(const std::string& name);

private:
    TManagerTask& Manager_;
    std::string Remembered_;
};
