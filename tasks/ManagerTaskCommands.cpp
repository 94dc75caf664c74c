#include "tasks/ManagerTask.h"

#include "config/Options.h"
#include "core/Links.h"
#include "core/MessageCatalogue.h"

#include <algorithm>

namespace {

bool Pausable(const TTaskItem* task)
{
    return task->State() != stateCompleted && task->State() != stateStopped;
}

int64_t SumRows(const TTaskRows& rows, bool selectedOnly, int64_t TTaskItem::*field)
{
    int64_t sum = 0;
    for (int row = 0; row < rows.Count(); ++row) {
        const auto& entry = rows.Row(row);
        if (!entry.Hidden && (entry.Selected || !selectedOnly))
            sum += entry.Record->*field;
    }
    return sum;
}

} // namespace

bool TManagerTask::Confirm(const char* messageId, bool& dontAskFlag)
{
    return MessageBoxWithCheck(Env_.Dialogs, Translate(messageId), TMessageKind::Warning, mbOK | mbCancel,
                               dontAskFlag) == TModalResult::OK;
}

void TManagerTask::StartSelected()
{
    for (TTaskItem* task : Selected())
        task->Enqueue();
    Rows_.Changed();
    RequestTick();
}

void TManagerTask::StartSelectedImmediately()
{
    if (!Confirm("sAllSelectedStartImmediatelly", Options().bdsAllSelectedStartImmediatelly))
        return;
    // A task whose worker is alive keeps it: starting again would cancel and replace it.
    for (TTaskItem* task : Selected())
        if (!task->IsRunning())
            task->Start();
    Rows_.Changed();
}

void TManagerTask::PauseSelected()
{
    for (TTaskItem* task : Selected())
        if (Pausable(task))
            task->Stop();
    Rows_.Changed();
    // A failed task that waited for its retry held a place.
    RequestTick();
}

void TManagerTask::PauseSelectedTemporarily()
{
    int minutes = Options().iLastPauseTimeout;
    if (!Env_.Dialogs.AskPauseMinutes(minutes))
        return;
    Options().iLastPauseTimeout = minutes;
    for (TTaskItem* task : Selected())
        if (!task->Completed())
            task->PauseTemporarily(minutes);
    Rows_.Changed();
    RequestTick();
}

void TManagerTask::RestartSelected()
{
    if (!Confirm("sAllSelectedRestart", Options().bdsAllSelectedTaskRestart))
        return;
    for (TTaskItem* task : Selected())
        task->Restart();
    Rows_.Changed();
    RequestTick();
}

void TManagerTask::StartAll()
{
    for (TTaskItem* task : TasksInListOrder())
        task->Enqueue();
    Rows_.Changed();
    RequestTick();
}

void TManagerTask::PauseAll()
{
    for (TTaskItem* task : TasksInListOrder())
        if (Pausable(task))
            task->Stop();
    Rows_.Changed();
    RequestTick();
}

void TManagerTask::DeleteSelected()
{
    if (!Confirm("sAllSelectedDelete", Options().bdsAllSelectedTaskDelete))
        return;
    Env_.Shell.PlaySoundTaskDeleted();
    DeleteTasks(true);
}

void TManagerTask::DeleteAll()
{
    if (Confirm("sAllDelete", Options().bdsAllTaskDelete))
        DeleteTasks(false);
}

void TManagerTask::MoveSelectedUp()
{
    for (TTaskItem* task : Selected())
        if (task->Index() > 0)
            task->SetIndex(task->Index() - 1);
    SortRowsByListOrder();
}

void TManagerTask::MoveSelectedDown()
{
    const int last = Tasks_.Count() - 1;
    for (int row = Rows_.Count() - 1; row >= 0; --row) {
        TTaskItem* task = Rows_.Record(row);
        if (Rows_.Row(row).Selected && task->Index() < last)
            task->SetIndex(task->Index() + 1);
    }
    SortRowsByListOrder();
}

void TManagerTask::MoveSelectedToTop()
{
    for (int row = Rows_.Count() - 1; row >= 0; --row)
        if (Rows_.Row(row).Selected)
            Rows_.Record(row)->SetIndex(0);
    SortRowsByListOrder();
}

void TManagerTask::MoveSelectedToEnd()
{
    for (TTaskItem* task : Selected())
        task->SetIndex(Tasks_.Count() - 1);
    SortRowsByListOrder();
}

bool TManagerTask::CanMoveUp() const
{
    const auto selected = Selected();
    return std::none_of(selected.begin(), selected.end(), [](const TTaskItem* t) { return t->Index() == 0; });
}

bool TManagerTask::CanMoveDown() const
{
    const int last = Tasks_.Count() - 1;
    const auto selected = Selected();
    return std::none_of(selected.begin(), selected.end(), [last](const TTaskItem* t) { return t->Index() == last; });
}

void TManagerTask::MoveSelectedTo(int targetRow)
{
    if (targetRow < 0 || targetRow >= Rows_.Count())
        return;
    // The first dropped task takes the target's place, which puts it after the target
    // when it came from above and before it when it came from below; each further task
    // follows the one before it, so the dropped tasks keep their order even when the
    // selection lay on both sides of the target.
    const TTaskItem* target = Rows_.Record(targetRow);
    const TTaskItem* previous = nullptr;
    for (TTaskItem* task : Selected()) {
        const int index = previous ? previous->Index() + (task->Index() > previous->Index() ? 1 : 0) : target->Index();
        task->SetIndex(index);
        previous = task;
    }
    SortRowsByListOrder();
}

void TManagerTask::SelectAll()
{
    Rows_.SelectAllShown();
}

void TManagerTask::CopySourcesToClipboard()
{
    std::string text;
    const char* separator = "";
    for (const TTaskItem* task : Selected()) {
        text += separator + task->Source;
        separator = "\r\n";
    }
    Env_.Desktop.SetClipboardText(text);
}

void TManagerTask::OpenSelectedDestinations()
{
    for (const TTaskItem* task : Selected())
        Env_.Desktop.OpenInBackground(IncludeTrailingDelimiter(task->Destination));
}

void TManagerTask::OpenSelectedFiles()
{
    for (const TTaskItem* task : Selected()) {
        if (task->Completed())
            Env_.Desktop.ShellOpen(task->DestinationFileName());
        else
            Env_.Desktop.Beep(TBeepKind::Warning);
    }
}

void TManagerTask::OpenSelectedSources()
{
    for (const TTaskItem* task : Selected())
        Env_.Desktop.OpenInBackground(IncludeTrailingDelimiter(ExtractDir(task->Source)));
}

bool TManagerTask::DoubleClickSelected()
{
    const TTaskItem* task = FirstSelected();
    if (!task)
        return true;
    const TOptions& options = Options();
    switch (task->State()) {
    case stateStopped:
    case stateScheduled:
    case stateTemporaryPaused:
        if (options.DblClickTask != 1)
            return false;
        StartSelected();
        return true;
    case stateErrorStopped:
        if (options.DblClickError != 1)
            return false;
        StartSelected();
        return true;
    case stateCompleted:
        if (options.DblClickComplete != 1)
            return false;
        Env_.Desktop.ShellOpen(task->DestinationFileName());
        return true;
    case stateWait:
    case stateStarted:
    case stateError:
        break;
    }
    if (options.DblClickTask != 1)
        return false;
    PauseSelected();
    return true;
}

void TManagerTask::SetSelectionPriority(TTrafficPriority priority)
{
    const std::vector<TTaskItem*> selected = Selected();
    if (selected.empty())
        Env_.Hosts.SetDefaultPriority(priority);
    for (TTaskItem* task : selected)
        task->TrafficPriority = priority;
    Rows_.Changed();
}

TTrafficPriority TManagerTask::GetSelectionPriority() const
{
    const TTaskItem* task = FirstSelected();
    return task ? task->TrafficPriority : Env_.Hosts.DefaultPriority();
}

TTaskItem* TManagerTask::FirstSelected() const
{
    for (int row = 0; row < Rows_.Count(); ++row)
        if (Rows_.Row(row).Selected && !Rows_.Row(row).Hidden)
            return Rows_.Record(row);
    return nullptr;
}

bool TManagerTask::CanStartSelected() const
{
    const auto selected = Selected();
    return std::any_of(selected.begin(), selected.end(), [](const TTaskItem* t) { return t->State() != stateStarted; });
}

bool TManagerTask::CanPauseSelected() const
{
    const auto selected = Selected();
    return std::any_of(selected.begin(), selected.end(), Pausable);
}

bool TManagerTask::CanPauseSelectedTemporarily() const
{
    const auto selected = Selected();
    return std::any_of(selected.begin(), selected.end(), [](const TTaskItem* t) { return !t->Completed(); });
}

bool TManagerTask::CanPauseAll() const
{
    for (int i = 0; i < Tasks_.Count(); ++i)
        if (Pausable(&Tasks_[i]))
            return true;
    return false;
}

bool TManagerTask::HasCompleted() const
{
    for (int i = 0; i < Tasks_.Count(); ++i)
        if (Tasks_[i].Completed())
            return true;
    return false;
}

int64_t TManagerTask::TotalSizeShown() const
{
    return SumRows(Rows_, false, &TTaskItem::Size);
}

int64_t TManagerTask::TotalSizeSelected() const
{
    return SumRows(Rows_, true, &TTaskItem::Size);
}

int64_t TManagerTask::TotalLoadedShown() const
{
    return SumRows(Rows_, false, &TTaskItem::Loaded);
}

int64_t TManagerTask::TotalLoadedSelected() const
{
    return SumRows(Rows_, true, &TTaskItem::Loaded);
}
