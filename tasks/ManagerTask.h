#pragma once

#include "core/RowList.h"
#include "core/SynchroInteger.h"
#include "core/XmlRecords.h"
#include "tasks/RowFind.h"
#include "tasks/TaskCollection.h"
#include "tasks/TaskEnvironment.h"
#include "tasks/TaskLogView.h"
#include "tasks/TaskProp.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using TTaskRows = TRowList<TTaskItem>;

// The state filter of the downloads page: without a state every task is shown, with one
// only the tasks in that state (stateErrorStopped shows failed tasks that retry too).
using TStatusFilter = std::optional<TTaskState>;

// The task manager: owns the task list and its file, runs the queue on a tick that the
// front end calls every 500 ms, handles the end of every worker and carries out the
// commands of the downloads page on the selected rows. Main thread only.
class TManagerTask : public TXmlManager, public ITaskAdding {
public:
    // Opens fileName (its running tasks start again at once).
    TManagerTask(TTaskEnvironment& environment, const std::string& fileName);
    // Saves once more when automatic saving is on, then stops every worker.
    ~TManagerTask() override;

    TTaskEnvironment& Environment() const { return Env_; }
    TTaskCollection& Tasks() { return Tasks_; }
    const TTaskCollection& Tasks() const { return Tasks_; }
    // One row per task; the GUI's list view mirrors it.
    TTaskRows& Rows() { return Rows_; }
    const TTaskRows& Rows() const { return Rows_; }

    // A new task at the end of the list, with a row; TimeCreated is now.
    TTaskItem& AddTask();

    // The file (root "List"). LoadFromFile appends; OpenFile replaces the list.
    const char* RootName() const override { return "List"; }
    void LoadFromFile(const std::string& name) override;
    void OpenFile(const std::string& name);
    void ReadFromNode(pugi::xml_node root) override { Tasks_.ReadFromNode(root); }
    void WriteToNode(pugi::xml_node root) override { Tasks_.WriteToNode(root); }
    // The list commands: New empties the list and names the file that later saves write.
    void NewList(const std::string& name);
    void SaveListAs(const std::string& name);
    // Removes every row and adds one per task in list order.
    void RebuildRows();

    // Automatic saving to the current file: a period in minutes, or in milliseconds.
    void SetAutoSave(bool on);
    void SetAutoSavePeriod(int minutes);
    void SetAutoSaveInterval(uint32_t milliseconds);
    bool AutoSave() const { return AutoSave_; }
    // Saves when the period has run out since the last save; the front end calls it with
    // the tick. True when it saved.
    bool PollAutoSave();

    // The queue. The front end runs Tick every 500 ms, and also soon after the manager asks
    // for one: when a worker has ended, tasks were added or queued, or the user's commands
    // freed places.
    void Tick();
    // A tick was asked for and has not run yet. A loop that polls serves it by calling Tick.
    bool TickRequested() const { return TickRequested_; }
    // Called once per request, never from inside a tick. It must not tick itself (it may
    // run inside a hand-over from a worker): a front end with an event loop posts a call
    // of Tick to that loop here.
    std::function<void()> OnTickRequested;
    // End handler of every worker, on the main thread after its last step.
    void WorkerEnded(TTaskThread& worker);
    TSynchroInteger& RunningWorkers() { return RunningWorkers_; }
    int ActiveCount() const { return ActiveCount_; }
    int MaxActiveTasks = 1;
    bool DeleteCompletedTasks = true;
    TTaskStart DefaultTypeStart = tsAutomatic;

    // Commands of the downloads page, on the selected rows.
    void StartSelected();               // actTaskStart
    void StartSelectedImmediately();    // actTaskStartImmediately, after confirmation
    void PauseSelected();               // actTaskPause
    void PauseSelectedTemporarily();    // actTaskPauseTemp, asks the minutes
    void RestartSelected();             // actTaskReload, after confirmation
    void StartAll();                    // actTaskStartAll
    void PauseAll();                    // actTaskPauseAll
    void DeleteSelected();              // actTaskDelete, after confirmation
    void DeleteAll();                   // actTaskDeleteAll, after confirmation
    void RemoveCompleted();             // actTaskDeleteAllCompleted and the tick
    // Deletes the tasks of the selected rows (or of all rows), asking what to do with
    // unfinished copies; records them in the history and the recycle bin.
    void DeleteTasks(bool selectedOnly);
    void MoveSelectedUp();
    void MoveSelectedDown();
    void MoveSelectedToTop();
    void MoveSelectedToEnd();
    bool CanMoveUp() const;
    bool CanMoveDown() const;
    // Drops the selected rows on targetRow: they follow it when dragged down, precede it
    // when dragged up, keeping their order.
    void MoveSelectedTo(int targetRow);
    void SelectAll();
    void CopySourcesToClipboard();
    void OpenSelectedDestinations();
    void OpenSelectedFiles();
    void OpenSelectedSources();
    // Double click on a row: start, stop or open by the state of the first selected task.
    // False when the properties should open instead.
    bool DoubleClickSelected();
    // Gives the selected tasks the priority; without a selection it becomes the default
    // priority of new tasks on no host.
    void SetSelectionPriority(TTrafficPriority priority);
    // The priority of the topmost selected shown task; the default priority without one.
    TTrafficPriority GetSelectionPriority() const;
    // The first selected task, or null.
    TTaskItem* FirstSelected() const;

    // When the commands are enabled (the page being shown is the GUI's part).
    bool CanStartSelected() const;
    bool CanPauseSelected() const;
    bool CanPauseSelectedTemporarily() const;
    bool CanPauseAll() const;
    bool HasCompleted() const;

    void SetStatusFilter(TStatusFilter filter);
    TStatusFilter StatusFilter() const { return StatusFilter_; }
    void ApplyStatusFilter();
    // After the view was sorted by a column, the list takes the view's order.
    void SyncListOrderToView();
    // The view in list order again.
    void SortRowsByListOrder();

    // Adding tasks: every source of new tasks ends in AddFileList.
    // A new task's proposal: the default start mode, no name, the logins the hosts of both
    // ends give and the lower of their priorities.
    void FillDefaults(TTaskProp& prop) const;
    // "Use by default": the start mode and priority of the next new tasks.
    void SaveDefaults(const TTaskProp& prop);
    // Appends the task with a selected row and gives its source a host.
    TTaskItem& AddTaskFromProps(const TTaskProp& prop);
    // The task dialog for one new task; added on OK unless a duplicate is refused.
    void AddTaskWithDialog(const std::string& source, const std::string& destination);
    // actTaskAdd: the sound, then the dialog of an empty task.
    void AddNewTask();
    // AddFileList over texts of lines (a final line break adds no line).
    void AddFiles(const std::string& paths, const std::string& folders, bool silent);
    // Each path becomes a task: into the folder at its position when there are as many
    // folders as paths, else into the first folder given or the one chosen in the dialog
    // before, else into the most recent remembered one; without any, every path from there
    // on gets the dialog, even in a silent request. Unless silent, each path gets the task
    // dialog, and the user may apply the first one's properties to the rest.
    void AddFileList(const std::vector<std::string>& paths, const std::vector<std::string>& folders,
                     bool silent) override;
    // True when the task must not be added: a source in the list already that the user
    // does not want twice, or a destination file of another task that may not be renamed.
    // May give prop another destination and name; an empty name becomes the source's.
    bool CheckConflicts(TTaskProp& prop);
    // name with "[n]" before its extension, the first n for which no task of destination
    // has that name.
    std::string MakeUniqueTaskName(const std::string& destination, const std::string& name) const;
    // actTaskProperties: the task dialog on the task; the changes apply after a question,
    // and never to a running or complete task.
    void ShowTaskProperties(TTaskItem& task, bool readOnly);

    // Counts and totals of the status bar (unknown sizes count as -1).
    bool HasTasks() const { return Tasks_.Count() > 0; }
    bool HasSelection() const { return Rows_.CountSelected() > 0; }
    int CountShown() const { return Rows_.CountShown(); }
    int CountSelected() const { return Rows_.CountSelected(); }
    int64_t TotalSizeShown() const;
    int64_t TotalSizeSelected() const;
    int64_t TotalLoadedShown() const;
    int64_t TotalLoadedSelected() const;

    // The find dialog. Flags are TFindFlags.
    void FindAll(const std::string& text, int flags) { Finder_.FindAll(text, flags); }
    void FindNext(const std::string& text, int flags) { Finder_.FindNext(text, flags); }
    void ResetFind() { Finder_.ResetFind(); }

    // The log view under the task list. It shows the log of the focused task while that
    // task's row is selected and shown, none otherwise; the front end calls ShowFocusedLog
    // when the focus or the selection moves, the filter and the tick call it themselves.
    TTaskLogView& LogView() { return LogView_; }
    void ShowFocusedLog();

protected:
    bool ClearOnLoad() const override { return false; }
    void ClearItems() override;

private:
    // Holds a count up for as long as it lives.
    class TCountUp {
    public:
        explicit TCountUp(int& count) : Count_(count) { ++Count_; }
        ~TCountUp() { --Count_; }
        TCountUp(const TCountUp&) = delete;
        TCountUp& operator=(const TCountUp&) = delete;

    private:
        int& Count_;
    };

    // The tick's work, which Tick keeps from running inside itself.
    void TickOnce();
    // Starts a queued task when the limit and its host leave room for it.
    bool StartIfRoom(TTaskItem& task);
    // Asks the front end for a tick soon: a place may be free, or tasks wait to start.
    void RequestTick();
    // Frees the task of a row after stopping its worker.
    void DeleteRow(int row);
    bool Confirm(const char* messageId, bool& dontAskFlag);
    // Whether the state filter shows a task in this state.
    bool PassesStatusFilter(TTaskState state) const;
    bool HasSource(const std::string& source) const;
    bool HasDestinationFile(const std::string& destination, const std::string& name) const;
    // Asks whether the remaining paths of a list take the properties of the one just
    // added; false for Abort.
    bool AskApplyToOthers(bool& noDialog, bool& decided);
    // Every task in list order. Stopping a worker serves the last steps of others, which
    // may move tasks in the list, so code that stops workers walks this snapshot.
    std::vector<TTaskItem*> TasksInListOrder();
    // Tasks of the selected shown rows, top to bottom.
    std::vector<TTaskItem*> Selected() const { return Rows_.SelectedRecords(); }

    TTaskEnvironment& Env_;
    TTaskCollection Tasks_;
    TTaskRows Rows_;
    TRowFinder<TTaskItem> Finder_{Rows_, Env_.Dialogs, Env_.Desktop};
    TSynchroInteger RunningWorkers_;
    int ActiveCount_ = 0;
    // The tasks at the head of the list that were all settled at the last tick, and the list's
    // TickChanges then: while those stay the same, a tick need not look at them again.
    int SettledHead_ = 0;
    uint64_t SettledHeadChanges_ = ~uint64_t(0);
    // The queued tasks at the end of the list that no tick has looked at since the last one
    // (from WaitingTail_ on), while nothing came, went or moved and no queued task left the
    // queue: a tick looks at only as many of them as it can start.
    int WaitingTail_ = 0;
    uint64_t WaitingTailRestructures_ = ~uint64_t(0);
    uint64_t WaitingTailDepartures_ = 0;
    bool TickRequested_ = false;
    // A tick is running. Stopping a worker serves other workers' steps, and a dialog of one
    // of them runs the front end's loop: a tick from there waits for the running one to end.
    int Ticking_ = 0;
    // Walks over the list that free tasks (deleting, removing completed tasks) are under
    // way; they keep pointers to tasks across dialogs, so a tick meanwhile frees none.
    int FreeingWalks_ = 0;
    TStatusFilter StatusFilter_;
    bool AutoSave_ = false;
    uint32_t AutoSaveInterval_ = 0;
    uint32_t LastAutoSave_ = 0;
    TTaskLogView LogView_{Env_.Dialogs, Env_.Desktop};
    // Frees the workers of EndedWorkers_ that have returned; the others stay listed.
    void FreeEndedWorkers();
    // Tasks whose worker ran its end step: the tick frees their threads without a walk
    // through the whole list. A task freed meanwhile leaves it.
    std::vector<TTaskItem*> EndedWorkers_;
    // Rows were filtered: a tick without a filter must show them again.
    bool RowsMayBeHidden_ = false;
};
