#include "config/Options.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/ManagerTask.h"
#include "tasks/TaskThread.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>

namespace {

// Tasks that copy small local files, on a clock moved by hand.
class TickTest : public ::testing::Test {
protected:
    TTaskBed Bed;
    TTempDir Dir;
    TManagerTask* Manager = nullptr;

    void SetUp() override
    {
        Manager = &Bed.OpenManager();
        Manager->DeleteCompletedTasks = false;
        std::filesystem::create_directories(Dir.File("out"));
    }
    TTaskItem& AddCopy(const std::string& name, TTaskState state = stateWait)
    {
        WriteFileBytes(Dir.File(name), "content of " + name);
        return Bed.AddTask(Dir.File(name), Dir.File("out"), state);
    }
    TTaskItem& AddFailing(const std::string& name, TTaskState state = stateWait)
    {
        return Bed.AddTask(Dir.File("missing-" + name), Dir.File("out"), state);
    }
    // The task's next workers wait at the existing-file question, asked on this thread (and
    // answered Cancel), until a stop or a test serves them.
    void HoldAtExistingFileQuestion(TTaskItem& task, int workers)
    {
        WriteFileBytes(task.DestinationFileName(), "old");
        Bed.Dialogs.ExistingFileAnswers.assign(std::size_t(workers), {.Confirmed = false});
    }
    void FinishWorkers()
    {
        ASSERT_TRUE(Bed.ServeUntil([&] { return Manager->RunningWorkers().Value() == 0; }));
    }
    std::vector<TTaskState> States()
    {
        std::vector<TTaskState> states;
        for (int i = 0; i < Manager->Tasks().Count(); ++i)
            states.push_back(Manager->Tasks()[i].State());
        return states;
    }
};

} // namespace

TEST_F(TickTest, StartsWaitingTasksInListOrderWithinTheLimit)
{
    Manager->MaxActiveTasks = 3;
    for (const char* name : {"a", "b", "c", "d", "e"})
        AddCopy(name);
    Manager->Tick();
    EXPECT_EQ(States(), (std::vector<TTaskState>{stateStarted, stateStarted, stateStarted, stateWait, stateWait}));
    EXPECT_EQ(Bed.Shell.Calls, (std::vector<std::string>{"Started:a", "Started:b", "Started:c"}));
    EXPECT_EQ(Manager->ActiveCount(), 3);
    FinishWorkers();
    Manager->Tick();
    EXPECT_EQ(States(),
              (std::vector<TTaskState>{stateCompleted, stateCompleted, stateCompleted, stateStarted, stateStarted}));
    FinishWorkers();
    EXPECT_EQ(ReadFileBytes(Dir.File("out/e")), "content of e");
    EXPECT_EQ(Bed.Records.History.size(), 5u);
}

TEST_F(TickTest, BusyHostDoesNotHoldBackTheTasksBehindIt)
{
    Manager->MaxActiveTasks = 5;
    Bed.Hosts.Limit = 1;
    TTaskItem& blocked = AddCopy("a");
    TTaskItem& free = AddCopy("b");
    Bed.Hosts.Open[blocked.Source] = 1;
    Manager->Tick();
    EXPECT_EQ(blocked.State(), stateWait);
    EXPECT_EQ(free.State(), stateStarted);
    FinishWorkers();
    EXPECT_EQ(Bed.Hosts.Open[free.Source], 0);  // its connection was closed at the end
    Bed.Hosts.Open[blocked.Source] = 0;
    Manager->Tick();
    EXPECT_EQ(blocked.State(), stateStarted);
    FinishWorkers();
}

TEST_F(TickTest, FailedTaskRetriesAfterThePauseWhateverTheLimit)
{
    Manager->MaxActiveTasks = 1;
    TTaskItem& failing = AddFailing("x");
    TTaskItem& waiting = AddCopy("w");
    Manager->Tick();
    FinishWorkers();
    ASSERT_EQ(failing.State(), stateError);
    Bed.AddTask("/running", "/out", stateStarted);  // fills the limit
    Bed.Clock.Advance(5000);
    Manager->Tick();
    EXPECT_EQ(failing.State(), stateError);
    EXPECT_EQ(failing.Retry, 1u);
    Bed.Clock.Advance(1);
    Manager->Tick();
    EXPECT_EQ(failing.State(), stateStarted);
    EXPECT_EQ(waiting.State(), stateWait);  // the failed task kept its place in the limit
    FinishWorkers();
    EXPECT_EQ(failing.Retry, 2u);
}

TEST_F(TickTest, RetriesUsedUpPauseTheTaskUntilThePauseRunsOut)
{
    Options().TaskMaxRetries = 2;
    Options().iTaskErrorPauseTempTimeout = 1;
    Manager->MaxActiveTasks = 1;
    TTaskItem& failing = AddFailing("x");
    for (int attempt = 0; attempt < 2; ++attempt) {
        Manager->Tick();
        FinishWorkers();
        Bed.Clock.Advance(5001);
    }
    ASSERT_EQ(failing.State(), stateTemporaryPaused);
    EXPECT_EQ(Bed.Shell.Count("PausedAfterError:missing-x"), 1);
    TTaskItem& waiting = AddCopy("w");
    Manager->Tick();
    EXPECT_EQ(waiting.State(), stateStarted);  // a paused task holds no place
    FinishWorkers();
    Bed.Clock.Advance(60000);
    Manager->Tick();
    // Out of its pause and started again in the same tick.
    EXPECT_EQ(failing.State(), stateStarted);
    FinishWorkers();
    EXPECT_EQ(failing.Retry, 1u);
}

TEST_F(TickTest, AllCompletedComesOnlyWhenNothingIsActiveOrPaused)
{
    Options().iTaskErrorPauseTempTimeout = 1;
    Manager->MaxActiveTasks = 2;
    AddCopy("a");
    TTaskItem& paused = AddCopy("p", stateStopped);
    paused.PauseTemporarily(1);
    Manager->Tick();
    FinishWorkers();
    Manager->Tick();
    EXPECT_EQ(Bed.Shell.Count("AllCompleted"), 0);
    Bed.Clock.Advance(60000);
    Manager->Tick();
    EXPECT_EQ(paused.State(), stateStarted);
    FinishWorkers();
    Manager->Tick();
    EXPECT_EQ(Bed.Shell.Count("AllCompleted"), 1);
    Manager->Tick();
    EXPECT_EQ(Bed.Shell.Count("AllCompleted"), 1);
}

TEST_F(TickTest, TasksStartedOutsideTheLimitCountInTheNextTick)
{
    Manager->MaxActiveTasks = 1;
    std::vector<TTaskItem*> stopped;
    for (const char* name : {"a", "b", "c"})
        stopped.push_back(&Bed.AddTask(std::string("/never/") + name, "/out", stateStopped));
    for (TTaskItem* task : stopped)
        task->SetState(stateStarted);  // as after "start immediately", without workers
    TTaskItem& waiting = AddCopy("w");
    Manager->Tick();
    EXPECT_EQ(Manager->ActiveCount(), 3);
    EXPECT_EQ(waiting.State(), stateWait);
}

TEST_F(TickTest, CompletedTasksLeaveTheListOnTheNextTickAfterTheirHistoryRecord)
{
    Manager->DeleteCompletedTasks = true;
    Manager->MaxActiveTasks = 3;
    AddCopy("a");
    AddCopy("b", stateStopped);
    Manager->Tick();
    FinishWorkers();
    EXPECT_EQ(Bed.Records.History.size(), 1u);
    EXPECT_EQ(Manager->Tasks().Count(), 2);
    Manager->Tick();
    EXPECT_EQ(Manager->Tasks().Count(), 1);
    EXPECT_EQ(Manager->Rows().Count(), 1);
    EXPECT_EQ(Manager->Tasks()[0].Name(), "b");
}

TEST_F(TickTest, RestartOfARunningTaskKeepsItRunningWithANewWorker)
{
    Manager->MaxActiveTasks = 1;
    TTaskItem& task = AddCopy("a");
    Manager->Tick();
    FinishWorkers();
    task.SetState(stateStarted);
    task.Restart();
    EXPECT_EQ(task.State(), stateStarted);
    EXPECT_EQ(task.Loaded, 0);
    EXPECT_TRUE(task.Worker() != nullptr);
    FinishWorkers();
    EXPECT_EQ(task.State(), stateCompleted);
}

TEST_F(TickTest, SortingTheViewReordersTheQueue)
{
    Manager->MaxActiveTasks = 1;
    for (const char* name : {"c", "a", "b"})
        AddCopy(name, stateStopped);
    Manager->Rows().Sort([](const TTaskItem& x, const TTaskItem& y) { return x.Name() < y.Name(); });
    Manager->SyncListOrderToView();
    Manager->StartAll();
    Manager->Tick();
    EXPECT_EQ(Manager->Tasks()[0].Name(), "a");
    EXPECT_EQ(Bed.Shell.Calls, (std::vector<std::string>{"Started:a"}));
    FinishWorkers();
}

TEST_F(TickTest, EndedWorkersHaveTheNextTasksStartedWithoutWaitingForTheTimer)
{
    Manager->MaxActiveTasks = 2;
    for (const char* name : {"a", "b", "c", "d", "e"})
        AddCopy(name);
    int requests = 0;
    Manager->OnTickRequested = [&] { ++requests; };
    Manager->Tick();
    // The clock stands still: only the ticks the manager asks for run.
    ASSERT_TRUE(Bed.RunUntil([&] { return Manager->RunningWorkers().Value() == 0 && Manager->Tasks()[4].Completed(); }));
    EXPECT_EQ(States(), std::vector<TTaskState>(5, stateCompleted));
    EXPECT_EQ(ReadFileBytes(Dir.File("out/e")), "content of e");
    EXPECT_GE(requests, 3);
    // Ended runs do not keep their threads.
    ASSERT_TRUE(Bed.ServeUntil([&] {
        for (int i = 0; i < Manager->Tasks().Count(); ++i)
            if (Manager->Tasks()[i].Worker() && !Manager->Tasks()[i].Worker()->Finished())
                return false;
        return true;
    }));
    Manager->Tick();
    for (int i = 0; i < Manager->Tasks().Count(); ++i)
        EXPECT_EQ(Manager->Tasks()[i].Worker(), nullptr) << i;
}

TEST_F(TickTest, ATickFromADialogInsideATickWaitsForTheRunningOne)
{
    Manager->MaxActiveTasks = 2;
    AddCopy("a");
    AddCopy("b");
    int requests = 0;
    Manager->OnTickRequested = [&] { ++requests; };
    bool nested = false;
    Bed.Shell.OnCall = [&](const std::string&) {
        if (!std::exchange(nested, true))
            Manager->Tick();
    };
    Manager->Tick();
    Bed.Shell.OnCall = nullptr;
    EXPECT_EQ(Bed.Shell.Calls, (std::vector<std::string>{"Started:a", "Started:b"}));
    EXPECT_EQ(Manager->RunningWorkers().Value(), 2);
    // Asked for again once the running tick ended.
    EXPECT_TRUE(Manager->TickRequested());
    EXPECT_EQ(requests, 1);
    FinishWorkers();
}

TEST_F(TickTest, TaskStoppedIsToldOnlyWhenARunIsStopped)
{
    struct Case {
        const char* Name;
        std::function<void(TTaskItem&)> Run;
        int Stopped;
    };
    const Case cases[] = {
        {"completed task removed",
         [&](TTaskItem&) {
             Manager->DeleteCompletedTasks = true;
             Manager->Tick();
         },
         0},
        {"failed task retried",
         [&](TTaskItem&) {
             Bed.Clock.Advance(5001);
             Manager->Tick();
         },
         0},
        {"ended task stopped", [](TTaskItem& task) { task.Stop(); }, 0},
        {"ended task started", [](TTaskItem& task) { task.Start(); }, 0},
        {"running task stopped",
         [&](TTaskItem& task) {
             HoldAtExistingFileQuestion(task, 1);
             task.Start();
             task.Stop();
         },
         1},
        {"running task restarted",
         [&](TTaskItem& task) {
             HoldAtExistingFileQuestion(task, 2);
             task.Start();
             task.Restart();
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Manager->NewList({});
        Manager->DeleteCompletedTasks = false;
        std::filesystem::remove_all(Dir.File("out"));
        // The first case's task completes; the others fail (and notice the stop themselves).
        TTaskItem& task = &c == &cases[0] ? AddCopy("a") : AddFailing("x");
        Manager->Tick();
        FinishWorkers();
        Bed.Shell.Calls.clear();
        c.Run(task);
        FinishWorkers();
        EXPECT_EQ(Bed.Shell.Count("Stopped"), c.Stopped);
    }
}

TEST_F(TickTest, TheSettledHeadOfTheListIsLookedAtAgainWhenATaskWakesOrMovesThere)
{
    // A tick remembers the settled tasks at the head of the list and passes over them later.
    Manager->MaxActiveTasks = 1;
    TTaskItem& done = AddCopy("a", stateCompleted);
    TTaskItem& stopped = AddCopy("b", stateStopped);
    Manager->Tick();
    EXPECT_EQ(Manager->ActiveCount(), 0);

    // A new task moved to the top, into the remembered head.
    TTaskItem& added = AddCopy("c");
    added.SetIndex(0);
    Manager->Tick();
    EXPECT_EQ(added.State(), stateStarted);
    FinishWorkers();
    Manager->Tick();

    // Tasks of the head queued again.
    stopped.SetState(stateWait);
    Manager->Tick();
    EXPECT_EQ(stopped.State(), stateStarted);
    FinishWorkers();
    Manager->Tick();
    done.SetState(stateWait);
    Manager->Tick();
    EXPECT_EQ(done.State(), stateStarted);
    FinishWorkers();
    EXPECT_EQ(States(), (std::vector<TTaskState>{stateCompleted, stateCompleted, stateCompleted}));
}

TEST_F(TickTest, TheWaitingTailIsLookedAtAgainWhenATaskLeavesItOrItMoves)
{
    // After a tick, the queued tasks at the end of the list are passed over until it starts them.
    Manager->MaxActiveTasks = 2;
    std::vector<TTaskItem*> tasks;
    for (const char* name : {"a", "b", "c", "d", "e"})
        tasks.push_back(&AddCopy(name));
    Manager->Tick();
    // The last one started by hand, as "start immediately" does, without a worker.
    tasks[4]->SetState(stateStarted);
    Manager->Tick();
    EXPECT_EQ(Manager->ActiveCount(), 3);
    EXPECT_EQ(tasks[2]->State(), stateWait);
    // A new task moved to the top, which moves the tail's places.
    TTaskItem& added = AddCopy("f");
    added.SetIndex(0);
    Manager->Tick();
    EXPECT_EQ(Manager->ActiveCount(), 3);
    EXPECT_EQ(added.State(), stateWait);
    tasks[4]->SetState(stateCompleted);
    FinishWorkers();
    Manager->Tick();
    FinishWorkers();
    Manager->Tick();
    FinishWorkers();
    EXPECT_EQ(States(), std::vector<TTaskState>(6, stateCompleted));
}
