#include "tasks/ManagerTask.h"

#include "config/Options.h"
#include "tasks/TaskThread.h"

#include <algorithm>
#include <unordered_map>

TManagerTask::TManagerTask(TTaskEnvironment& environment, const std::string& fileName)
    : TXmlManager(environment.Boxes), Env_(environment), Tasks_(*this)
{
    // The list holds the tasks' passwords.
    File().SetFileMode(0600);
    OpenFile(fileName);
}

TManagerTask::~TManagerTask()
{
    // Workers stopped below end with a request that nobody will serve.
    OnTickRequested = nullptr;
    if (AutoSave_)
        SaveToFile({});
    ClearItems();
}

TTaskItem& TManagerTask::AddTask()
{
    TTaskItem& task = Tasks_.Add();
    task.TimeCreated = Env_.Clock.Now();
    Rows_.Add(&task);
    RequestTick();
    return task;
}

void TManagerTask::LoadFromFile(const std::string& name)
{
    TXmlManager::LoadFromFile(name);
    RebuildRows();
    RequestTick();
}

void TManagerTask::OpenFile(const std::string& name)
{
    ClearItems();
    LoadFromFile(name);
}

void TManagerTask::NewList(const std::string& name)
{
    ClearItems();
    File().SetFileName(name);
    RebuildRows();
}

void TManagerTask::SaveListAs(const std::string& name)
{
    File().SetFileName(name);
    SaveToFile({});
}

void TManagerTask::ClearItems()
{
    LogView_.ShowLog(nullptr);
    Rows_.Clear();
    Finder_.ResetFind();
    // Workers end first: their last steps still read the tasks and the list.
    for (TTaskItem* task : TasksInListOrder())
        task->StopTransfer();
    EndedWorkers_.clear();
    Tasks_.Clear();
}

std::vector<TTaskItem*> TManagerTask::TasksInListOrder()
{
    std::vector<TTaskItem*> tasks;
    tasks.reserve(std::size_t(Tasks_.Count()));
    for (int i = 0; i < Tasks_.Count(); ++i)
        tasks.push_back(&Tasks_[i]);
    return tasks;
}

void TManagerTask::RebuildRows()
{
    Rows_.Assign(TasksInListOrder());
    Finder_.ResetFind();
    ApplyStatusFilter();
}

void TManagerTask::SetAutoSave(bool on)
{
    AutoSave_ = on;
    LastAutoSave_ = Env_.Clock.TickCount();
}

void TManagerTask::SetAutoSavePeriod(int minutes)
{
    SetAutoSaveInterval(uint32_t(std::max(minutes, 0)) * 60000u);
}

void TManagerTask::SetAutoSaveInterval(uint32_t milliseconds)
{
    AutoSaveInterval_ = milliseconds;
    LastAutoSave_ = Env_.Clock.TickCount();
}

bool TManagerTask::PollAutoSave()
{
    if (!AutoSave_ || AutoSaveInterval_ == 0)
        return false;
    const uint32_t now = Env_.Clock.TickCount();
    if (now - LastAutoSave_ < AutoSaveInterval_)
        return false;
    LastAutoSave_ = now;
    return SaveToFile({});
}

void TManagerTask::Tick()
{
    if (Ticking_ > 0) {
        // Run from a dialog inside this tick: the running tick asks again when it ends.
        TickRequested_ = true;
        return;
    }
    TickRequested_ = false;
    {
        TCountUp ticking(Ticking_);
        TickOnce();
    }
    // Workers that ended during the tick may have freed places it had already passed.
    if (TickRequested_ && OnTickRequested)
        OnTickRequested();
}

void TManagerTask::TickOnce()
{
    const int previous = ActiveCount_;
    int paused = 0;
    // A deletion that waits for the user's answer holds on to its tasks.
    if (DeleteCompletedTasks && FreeingWalks_ == 0)
        RemoveCompleted();
    ActiveCount_ = 0;
    // The tasks that may start, in list order: starting one serves other workers' last
    // steps, which may move tasks in the list.
    std::vector<std::pair<TTaskItem*, int>> startable;
    // The settled head of the list is passed over while nothing woke there or moved, and the
    // waiting tail while nothing left it: a long list of small files costs each tick only
    // the tasks that run and those it starts.
    const int first = Tasks_.TickChanges() == SettledHeadChanges_ ? std::min(SettledHead_, Tasks_.Count()) : 0;
    const uint64_t restructures = Tasks_.Restructures();
    const uint64_t departures = Tasks_.Departures();
    const bool tailKept = restructures == WaitingTailRestructures_ && departures == WaitingTailDepartures_;
    const int tail = tailKept ? std::clamp(WaitingTail_, first, Tasks_.Count()) : Tasks_.Count();
    int settledHead = first;
    int lastUnqueued = first - 1;
    for (int i = first; i < tail; ++i) {
        TTaskItem& task = Tasks_[i];
        if (task.State() == stateStarted || task.State() == stateError) {
            ++ActiveCount_;
        } else if (task.State() == stateTemporaryPaused) {
            ++paused;
            if (task.TemporaryPauseExpired())
                task.SetState(stateWait);
        }
        if (task.State() == stateWait || task.State() == stateError)
            startable.emplace_back(&task, i);
        if (task.State() != stateWait)
            lastUnqueued = i;
        if (settledHead == i && IsSettled(task.State()))
            settledHead = i + 1;
    }
    SettledHead_ = settledHead;
    SettledHeadChanges_ = Tasks_.TickChanges();
    // An ended run keeps a thread (its stack, a place among the process's mappings) until
    // it is freed: in a list of thousands of small files they would add up. Freed before
    // the next tasks start, so that these take the threads over.
    FreeEndedWorkers();
    const uint32_t retryPause = uint32_t(Options().TaskRetriesPause) * 1000u;
    int lastStarted = -1;
    uint64_t ownDepartures = 0;
    for (const auto& [task, index] : startable) {
        if (task->State() == stateWait) {
            if (StartIfRoom(*task)) {
                lastStarted = index;
                ++ownDepartures;
            }
        } else if (task->State() == stateError) {
            if (Env_.Clock.TickCount() - task->ErrorTime > retryPause)
                task->Start();
        }
    }
    for (int i = tail; i < Tasks_.Count() && ActiveCount_ < MaxActiveTasks; ++i) {
        // Places found before a change of the list are no longer its places.
        if (Tasks_.Restructures() != restructures) {
            RequestTick();
            break;
        }
        if (Tasks_[i].State() == stateWait && StartIfRoom(Tasks_[i])) {
            lastStarted = i;
            ++ownDepartures;
        }
    }
    // Kept only when every change since the walk was this tick's own starts.
    WaitingTail_ = std::max(lastUnqueued, lastStarted) + 1;
    const bool ownChanges = Tasks_.Restructures() == restructures && Tasks_.Departures() == departures + ownDepartures;
    WaitingTailRestructures_ = ownChanges ? restructures : ~uint64_t(0);
    WaitingTailDepartures_ = Tasks_.Departures();
    if (ActiveCount_ == 0 && previous > 0 && paused == 0)
        Env_.Shell.NotifyAllCompleted();
    ApplyStatusFilter();
    // The workers' entries since the last tick.
    LogView_.Refresh();
}

bool TManagerTask::StartIfRoom(TTaskItem& task)
{
    if (ActiveCount_ >= MaxActiveTasks || !Env_.Hosts.CanConnect(task.Source))
        return false;
    Env_.Shell.NotifyTaskStarted(task.Name());
    task.Start();
    ++ActiveCount_;
    return true;
}

void TManagerTask::FreeEndedWorkers()
{
    // Taken out first: freeing may serve steps that end other workers.
    std::vector<TTaskItem*> ended;
    ended.swap(EndedWorkers_);
    for (TTaskItem* task : ended) {
        task->FreeEndedWorker();
        // Still returning from its end step, or started again: freed by a later tick.
        if (task->Worker())
            EndedWorkers_.push_back(task);
    }
}

void TManagerTask::RequestTick()
{
    if (TickRequested_)
        return;
    TickRequested_ = true;
    if (Ticking_ == 0 && OnTickRequested)
        OnTickRequested();
}

void TManagerTask::WorkerEnded(TTaskThread& worker)
{
    RunningWorkers_.Decrement();
    TTaskItem* task = worker.Item();
    if (task && std::find(EndedWorkers_.begin(), EndedWorkers_.end(), task) == EndedWorkers_.end())
        EndedWorkers_.push_back(task);
    if (task && task->State() == stateCompleted)
        Env_.History.AddHistoryRecord(TTaskRecord{task->Name(), task->Source, task->Destination, task->Size,
                                                  task->TimeDownloaded, task->TimeCompleted, task->TimeCreated});
    // Its place is free: the next task need not wait for the timer.
    RequestTick();
}

void TManagerTask::RemoveCompleted()
{
    TCountUp walk(FreeingWalks_);
    for (int row = Rows_.Count() - 1; row >= 0; --row)
        if (Rows_.Record(row)->Completed())
            DeleteRow(row);
}

void TManagerTask::DeleteRow(int row)
{
    TTaskItem* task = Rows_.Record(row);
    Finder_.Forget(task);
    if (LogView_.ShownLog() == &task->Log)
        LogView_.ShowLog(nullptr);
    Rows_.Delete(row);
    task->StopTransfer();
    std::erase(EndedWorkers_, task);
    Tasks_.Delete(task->Index());
}

void TManagerTask::ApplyStatusFilter()
{
    // Without a filter every row is shown: the tick need not walk the rows of a long list
    // that shows them all already.
    if (StatusFilter_ || RowsMayBeHidden_) {
        for (int row = 0; row < Rows_.Count(); ++row)
            Rows_.Row(row).Hidden = !PassesStatusFilter(Rows_.Record(row)->State());
        RowsMayBeHidden_ = StatusFilter_.has_value();
    }
    Rows_.Changed();
    ShowFocusedLog();
}

bool TManagerTask::PassesStatusFilter(TTaskState state) const
{
    return !StatusFilter_ || state == *StatusFilter_ || (*StatusFilter_ == stateErrorStopped && state == stateError);
}

void TManagerTask::SetStatusFilter(TStatusFilter filter)
{
    StatusFilter_ = filter;
    ApplyStatusFilter();
}

void TManagerTask::SortRowsByListOrder()
{
    std::unordered_map<const TTaskItem*, int> index;
    for (int i = 0; i < Tasks_.Count(); ++i)
        index.emplace(&Tasks_[i], i);
    Rows_.Sort([&](const TTaskItem& a, const TTaskItem& b) { return index.at(&a) < index.at(&b); });
}

void TManagerTask::SyncListOrderToView()
{
    std::vector<const TTaskItem*> order;
    order.reserve(std::size_t(Rows_.Count()));
    for (int row = 0; row < Rows_.Count(); ++row)
        order.push_back(Rows_.Record(row));
    Tasks_.Reorder(order);
}
