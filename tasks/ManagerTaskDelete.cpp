#include "tasks/ManagerTask.h"

#include "config/Options.h"
#include "core/MessageCatalogue.h"

#include <algorithm>

namespace {

// A running worker may have made its file before its first report told the task.
bool HasUnfinishedCopy(const TTaskItem* task)
{
    return !task->Completed() && (task->DestinationCreated || task->IsRunning());
}

// Deletes what the task copied so far. The worker stops first: its end tells whether it
// made the file.
void DeleteUnfinishedCopy(TTaskItem& task)
{
    if (task.State() == stateStarted)
        task.Stop();
    else
        task.StopTransfer();
    if (task.DestinationCreated)
        task.DeleteDestinationFile();
}

TTaskRecord RecordOf(const TTaskItem& task, TDateTime time)
{
    return TTaskRecord{task.Name(),         task.Source, task.Destination, task.Size,
                       task.TimeDownloaded, time,        task.TimeCreated};
}

// What to do with the unfinished copies of the tasks being deleted: the option's mode, or
// the user's answers, carried from one task to the next.
class TUnfinishedCopies {
public:
    TUnfinishedCopies(ITaskDialogs& dialogs, int count)
        : Dialogs_(dialogs), Remembered_(Options().IncompleteTaskWhatToDo), Remaining_(count)
    {
    }

    // Deletes or keeps the copy of task; false when the user ended the deletion.
    bool Handle(TTaskItem& task)
    {
        int mode = Remembered_;
        if (mode == 0)
            DeleteUnfinishedCopy(task);
        else if (mode == 2)
            mode = Ask(task);
        if (mode < 0)
            return false;
        --Remaining_;
        if (Remaining_ <= 0 || Asked_ || Options().IncompleteTaskWhatToDo != 2)
            return true;
        return AskForTheRest(mode);
    }

private:
    // 0 deleted, 1 kept, -1 cancelled.
    int Ask(TTaskItem& task)
    {
        const TIncompleteTaskAnswer answer = Dialogs_.AskIncompleteTask(task);
        if (!answer.Confirmed)
            return -1;
        const int mode = answer.DeleteFile ? 0 : 1;
        if (answer.DeleteFile)
            DeleteUnfinishedCopy(task);
        if (answer.Remember) {
            // "In future" starts with the next task of this deletion.
            Options().IncompleteTaskWhatToDo = mode;
            Remembered_ = mode;
        }
        return mode;
    }

    // Asked once per deletion; false on Abort.
    bool AskForTheRest(int mode)
    {
        Asked_ = true;
        const TModalResult answer = Dialogs_.MessageBox(Translate("sUseForOtherIncompleteTask"),
                                                        TMessageKind::Confirmation, mbYes | mbNo | mbAbort);
        if (answer == TModalResult::Yes)
            Remembered_ = mode;
        return answer != TModalResult::Abort;
    }

    ITaskDialogs& Dialogs_;
    int Remembered_;
    int Remaining_;
    bool Asked_ = false;
};

}  // namespace

void TManagerTask::DeleteTasks(bool selectedOnly)
{
    // The questions below may run the front end's loop and with it the tick, which frees no
    // task while this walk lasts.
    TCountUp walk(FreeingWalks_);
    // Only rows the user sees selected: a filter may hide rows that are still selected.
    const std::vector<TTaskItem*> tasks = selectedOnly ? Selected() : Rows_.Records();
    TUnfinishedCopies copies(Env_.Dialogs, int(std::count_if(tasks.begin(), tasks.end(), HasUnfinishedCopy)));
    for (TTaskItem* task : tasks) {
        if (HasUnfinishedCopy(task) && !copies.Handle(*task))
            break;
        const TDateTime now = Env_.Clock.Now();
        // Recorded only once the task is sure to go, so a cancelled deletion leaves no trace.
        if (!task->Completed() && Options().bHistoryAddIncomplete)
            Env_.History.AddHistoryRecord(RecordOf(*task, now));
        Env_.RecycleBin.AddRecycleBinRecord(RecordOf(*task, now));
        DeleteRow(Rows_.IndexOf(task));
    }
    // Completed tasks that a tick left alone meanwhile, and places the deleted tasks held.
    RequestTick();
}
