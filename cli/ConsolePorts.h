#pragma once

#include "core/MessageBoxPort.h"
#include "hosts/HostDialogs.h"
#include "records/RecordPorts.h"
#include "tasks/TaskPorts.h"

#include <string>
#include <vector>

// The ports of the task subsystem on a terminal. Nobody is there to answer, so every
// question gets the answer the command line chose, and every message goes to stderr.

// The run prints its own progress and final lines: the notifications add nothing.
class TConsoleShell : public ITaskShell {
public:
    void NotifyTaskStarted(const std::string&) override {}
    void NotifyTaskCompleted(const std::string&) override {}
    void NotifyTaskPausedAfterError(const std::string&) override {}
    void NotifyTaskError(const std::string&) override {}
    void NotifyTaskStopped() override {}
    void NotifyAllCompleted() override {}
    void PlaySoundTaskDeleted() override {}
    void ShowTaskPage() override {}
    void PlaySoundTaskAdded() override {}
};

class TConsoleDialogs : public ITaskDialogs {
public:
    // existingFileDecision: the answer for a destination file that exists (any but efAsk).
    explicit TConsoleDialogs(TExistingFileDecision existingFileDecision)
        : ExistingFileDecision_(existingFileDecision)
    {
    }

    // Prints the text and confirms: OK, or Yes where there is no OK.
    TModalResult MessageBox(const std::string& text, TMessageKind kind, unsigned buttons) override;
    TModalResult ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind, unsigned buttons,
                                         bool& checked) override;
    bool AskExistingFile(TExistingFileDecision& decision, std::string& name, bool& remember) override;
    // Leaves the unfinished file where it is.
    TIncompleteTaskAnswer AskIncompleteTask(const TTaskItem& task) override;
    // No pause: nobody would resume the task.
    bool AskPauseMinutes(int&) override { return false; }
    // The limit stays what the command line set.
    bool AskMaxActiveTasks(int&) override { return false; }
    // The task as proposed, as if OK was pressed at once; Cancel where OK would be
    // disabled (no source or no destination).
    bool ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault) override;
    // Renamed to the first free name, as the timed dialog does when nobody answers: the
    // task is added as asked and no other task's file is touched.
    bool AskDuplicate(std::string& destination, std::string& name) override;
    // The text as proposed.
    bool InputBox(const std::string&, const std::string&, std::string&) override { return true; }

private:
    TExistingFileDecision ExistingFileDecision_;
};

// Nothing to open and no clipboard on a terminal.
class TConsoleDesktop : public IDesktop {
public:
    void OpenInBackground(const std::string&) override {}
    void ShellOpen(const std::string&) override {}
    void SetClipboardText(const std::string&) override {}
    std::string ClipboardText() override { return {}; }
    void Beep(TBeepKind) override {}
    void OpenWithDefaultHandler(const std::string&) override {}
    void StartProgram(const std::string&, const std::vector<std::string>&) override {}
};

// Nobody edits hosts or connection types here: every such dialog is cancelled.
class TConsoleHostDialogs : public IHostDialogs {
public:
    bool ShowHostProperties(THostForm&) override { return false; }
    bool ShowNewConnection(std::string&, std::string&) override { return false; }
    bool ShowEditConnectionName(std::string&) override { return false; }
};

// Nobody browses the history or the recycle bin here: no record is shown or sent back.
class TConsoleRecordDialogs : public IRecordDialogs {
public:
    void ShowRecordProperties(const TRecordPropertiesForm&) override {}
    bool ShowCustomRangeDialog(TDateTime&, TDateTime&) override { return false; }
};

// The task list's adding flow, once the list exists; nobody answers its dialogs here, so
// every request is silent.
class TConsoleTaskAdding : public ITaskAdding {
public:
    void AddFileList(const std::vector<std::string>& sources, const std::vector<std::string>& folders, bool) override
    {
        if (Target)
            Target->AddFileList(sources, folders, true);
    }

    ITaskAdding* Target = nullptr;
};

class TConsoleBoxes : public IMessageBoxPort {
public:
    void ShowErrorBox(const std::string& caption, const std::string& text) override;
};

// Writes "quorvex-cli: " + text as one line to stderr, link passwords masked.
void PrintMessage(const std::string& text);
