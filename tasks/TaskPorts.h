#pragma once

#include "config/ExistingFileDecision.h"
#include "core/DateTime.h"
#include "tasks/TaskTypes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTaskItem;
struct TTaskProp;

// What the task subsystem tells the shell (the main window, the tray, the sounds).
class ITaskShell {
public:
    virtual ~ITaskShell() = default;
    virtual void NotifyTaskStarted(const std::string& name) = 0;
    virtual void NotifyTaskCompleted(const std::string& name) = 0;
    virtual void NotifyTaskPausedAfterError(const std::string& name) = 0;
    virtual void NotifyTaskError(const std::string& name) = 0;
    virtual void NotifyTaskStopped() = 0;
    virtual void NotifyAllCompleted() = 0;
    virtual void PlaySoundTaskDeleted() = 0;
    virtual void ShowTaskPage() = 0;
    virtual void PlaySoundTaskAdded() = 0;
};

// Kinds and buttons of the program's message boxes.
enum class TMessageKind { Warning, Error, Information, Confirmation };
enum TMessageButtons : unsigned {
    mbOK = 1,
    mbCancel = 2,
    mbYes = 4,
    mbNo = 8,
    mbAbort = 16,
    mbNoToAll = 32,
};
enum class TModalResult { OK, Cancel, Yes, No, Abort, NoToAll };

// The answer of the dialog for deleting an unfinished task.
struct TIncompleteTaskAnswer {
    bool Confirmed = false;   // OK rather than Cancel
    bool DeleteFile = false;  // "delete" rather than "leave"
    bool Remember = false;    // "use my choice in future"
};

// Every question the task subsystem asks the user. The GUI shows real dialogs; tests
// script the answers; the command line answers from its options.
class ITaskDialogs {
public:
    virtual ~ITaskDialogs() = default;
    virtual TModalResult MessageBox(const std::string& text, TMessageKind kind, unsigned buttons) = 0;
    // Shows a box with a "don't show again" check box; checked receives its final state.
    virtual TModalResult ShowMessageBoxWithCheck(const std::string& text, TMessageKind kind, unsigned buttons,
                                                 bool& checked) = 0;
    // The destination file already exists. True with a decision (efRename to name,
    // efOverwrite, efAddTo or efStop) and remember set to store it as the default; false
    // for Cancel. name comes in as the proposed new name.
    virtual bool AskExistingFile(TExistingFileDecision& decision, std::string& name, bool& remember) = 0;
    virtual TIncompleteTaskAnswer AskIncompleteTask(const TTaskItem& task) = 0;
    // minutes comes in as the proposal; true with the chosen number, false for Cancel.
    virtual bool AskPauseMinutes(int& minutes) = 0;
    // The number of downloads that may run at once: limit comes in as the current one;
    // true with the number chosen, false for Cancel.
    virtual bool AskMaxActiveTasks(int& limit) = 0;
    // The task dialog over prop (TTaskDialogModel holds its rules). True on OK, with prop
    // as the dialog returns it and useByDefault the state of its "use by default" box.
    virtual bool ShowTaskDialog(TTaskProp& prop, bool newTask, bool& useByDefault) = 0;
    // A task with this destination and name is in the list already (TDuplicateDialogModel
    // holds the rules). True to add it, with the destination and name it is to take.
    virtual bool AskDuplicate(std::string& destination, std::string& name) = 0;
    // A one-line text; text comes in as the proposal. True on OK with the edited text.
    virtual bool InputBox(const std::string& caption, const std::string& prompt, std::string& text) = 0;
};

// The box with "don't show again": OK at once while flag is true; otherwise shows the box
// and, when OK or Yes closed it, stores the check box in flag.
TModalResult MessageBoxWithCheck(ITaskDialogs& dialogs, const std::string& text, TMessageKind kind,
                                 unsigned buttons, bool& flag);

enum class TBeepKind { Warning, Error };

// The desktop: opening paths and links, the clipboard, the system sounds.
class IDesktop {
public:
    virtual ~IDesktop() = default;
    // Opens a folder or link with the user's program without waiting for it.
    virtual void OpenInBackground(const std::string& path) = 0;
    // Opens a file with the user's program for its type ("open").
    virtual void ShellOpen(const std::string& path) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // The clipboard's text; empty when it holds none.
    virtual std::string ClipboardText() = 0;
    virtual void Beep(TBeepKind kind) = 0;
    // What opening resources is made of (tasks/OpenResource.h, whose opener serves an
    // implementation's OpenInBackground and ShellOpen). An opening thread calls them, so
    // they must be safe on any thread, and neither waits for the program it starts.
    // Opens a path or link with the program the desktop chose for it.
    virtual void OpenWithDefaultHandler(const std::string& target) = 0;
    // Starts program with exactly these arguments; no shell ever sees them.
    virtual void StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// What a new task takes over from the host of one of its ends.
struct THostDefaults {
    TTrafficPriority Priority = tpLowestPriority;
    bool LoginToServer = false;
    std::string UserLogin;
    std::string UserPassword;
};

// The host manager as the task subsystem sees it: connection limits per host, the host
// entry every task gets, and the priority that tasks on no host start with (kept with the
// connection types; the priority commands change it when no task is selected).
class ITaskHosts {
public:
    virtual ~ITaskHosts() = default;
    virtual bool CanConnect(const std::string& link) = 0;
    virtual void ConnectionOpened(const std::string& link) = 0;
    virtual void ConnectionClosed(const std::string& link) = 0;
    virtual void EnsureTaskHost(TTaskItem& task, bool temporary) = 0;
    virtual TTrafficPriority DefaultPriority() const = 0;
    virtual void SetDefaultPriority(TTrafficPriority priority) = 0;
    // The priority and login of path's host; without one, the default priority and the
    // default login options when allowGlobal is true, and nothing otherwise. The user name
    // and password change only where a login is handed over.
    virtual void GetHostDefaults(std::string_view path, bool allowGlobal, THostDefaults& defaults) const = 0;
};

// A record of a finished or deleted task, as the history and the recycle bin keep it.
struct TTaskRecord {
    std::string Name;
    std::string Source;
    std::string Destination;
    int64_t Size = -1;
    uint32_t TimeDownloaded = 0;  // milliseconds
    TDateTime TimeCompleted;      // for the recycle bin: the time of deletion
    TDateTime TimeCreated;
};

class ITaskHistory {
public:
    virtual ~ITaskHistory() = default;
    virtual void AddHistoryRecord(const TTaskRecord& record) = 0;
};

class ITaskRecycleBin {
public:
    virtual ~ITaskRecycleBin() = default;
    virtual void AddRecycleBinRecord(const TTaskRecord& record) = 0;
};

// The adding flow of the task list, which every source of new tasks calls: the add
// command, drops, the clipboard, the history and the recycle bin, the desktop's requests.
class ITaskAdding {
public:
    virtual ~ITaskAdding() = default;
    // One new task per source, into the folder at the same position of folders (one folder
    // serves them all); unless silent, each one is shown in the task dialog before it is
    // added.
    virtual void AddFileList(const std::vector<std::string>& sources, const std::vector<std::string>& folders,
                             bool silent) = 0;
};
