#include "config/Options.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using TCommand = void (TManagerTask::*)();

// Tasks are named by one letter each ("/src/a" is task a), so a list reads as "abcde".
class ManagerCommandsTest : public ::testing::Test {
protected:
    TTaskBed Bed;
    TManagerTask& Manager = Bed.OpenManager();

    void Add(const std::string& names, TTaskState state = stateStopped, const std::string& destination = "/dst")
    {
        for (char name : names)
            Bed.AddTask(std::string("/src/") + name, destination, state);
    }
    TTaskItem& Task(char name) { return Manager.Tasks()[int(ListOrder().find(name))]; }
    std::string ListOrder() const
    {
        std::string names;
        for (int i = 0; i < Manager.Tasks().Count(); ++i)
            names += Manager.Tasks()[i].Name();
        return names;
    }
    // Names of the rows top to bottom; which ones pick() accepts.
    template <class Pick>
    std::string Rows(Pick pick) const
    {
        std::string names;
        for (int row = 0; row < Manager.Rows().Count(); ++row)
            if (pick(Manager.Rows().Row(row)))
                names += Manager.Rows().Record(row)->Name();
        return names;
    }
    std::string RowOrder() const { return Rows([](auto&) { return true; }); }
    std::string SelectedRows() const { return Rows([](auto& r) { return r.Selected && !r.Hidden; }); }
    std::string ShownRows() const { return Rows([](auto& r) { return !r.Hidden; }); }
    void Select(const std::string& names)
    {
        for (int row = 0; row < Manager.Rows().Count(); ++row)
            Manager.Rows().Row(row).Selected = names.find(Manager.Rows().Record(row)->Name()) != std::string::npos;
    }
    // Hides the named tasks behind a filter for stopped tasks.
    void Hide(const std::string& names)
    {
        for (char name : names)
            Task(name).SetState(stateWait);
        Manager.SetStatusFilter(stateStopped);
    }
};

} // namespace

TEST_F(ManagerCommandsTest, MovesKeepTheOrderOfTheSelectedTasks)
{
    struct Case {
        TCommand Move;
        const char* Hidden;
        const char* Expected;
    };
    // b and d selected in "abcde"; up and to-end move shown rows only, down and to-top
    // move hidden selected rows too.
    const Case cases[] = {
        {&TManagerTask::MoveSelectedUp, "", "badce"},    {&TManagerTask::MoveSelectedDown, "", "acbed"},
        {&TManagerTask::MoveSelectedToTop, "", "bdace"}, {&TManagerTask::MoveSelectedToEnd, "", "acebd"},
        {&TManagerTask::MoveSelectedUp, "d", "bacde"},   {&TManagerTask::MoveSelectedDown, "d", "acbed"},
        {&TManagerTask::MoveSelectedToTop, "d", "bdace"}, {&TManagerTask::MoveSelectedToEnd, "d", "acdeb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Hidden) + "->" + c.Expected);
        Manager.NewList({});
        Add("abcde");
        Hide(c.Hidden);
        Select("bd");
        (Manager.*c.Move)();
        EXPECT_EQ(ListOrder(), c.Expected);
        EXPECT_EQ(RowOrder(), c.Expected);
    }
}

TEST_F(ManagerCommandsTest, MovesAreOfferedOnlyWhereThereIsRoom)
{
    Add("abc");
    for (auto [selected, up, down] : {std::tuple{"a", false, true}, {"b", true, true}, {"c", true, false},
                                      {"ac", false, false}}) {
        Select(selected);
        EXPECT_EQ(Manager.CanMoveUp(), up) << selected;
        EXPECT_EQ(Manager.CanMoveDown(), down) << selected;
    }
}

TEST_F(ManagerCommandsTest, DroppedRowsFollowOrPrecedeTheTarget)
{
    struct Case {
        const char* Selected;
        const char* Hidden;
        char Target;
        const char* Expected;
    };
    const Case cases[] = {
        {"ab", "", 'd', "cdabe"},  // dragged down: after the target
        {"de", "", 'b', "adebc"},  // dragged up: before it
        {"ae", "", 'c', "bcaed"},  // from both sides: still in their order
        {"bc", "", 'c', "abcde"},  // onto one of themselves
        {"ab", "a", 'd', "acdbe"}, // a hidden row stays where it is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Expected);
        Manager.NewList({});
        Add("abcde");
        Hide(c.Hidden);
        Select(c.Selected);
        Manager.MoveSelectedTo(Manager.Rows().IndexOf(&Task(c.Target)));
        EXPECT_EQ(ListOrder(), c.Expected);
        EXPECT_EQ(RowOrder(), c.Expected);
    }
}

TEST_F(ManagerCommandsTest, FindAllSelectsShownMatchesIgnoringAsciiCase)
{
    Bed.AddTask("/src/Alpha.bin", "/dst/one", stateStopped);
    Bed.AddTask("/src/beta.txt", "/dst/ALPHA", stateStopped);
    Bed.AddTask("/other/gamma", "/dst/two", stateStopped);
    Bed.AddTask("/other/alphabet", "/dst/two", stateWait);  // hidden by the filter
    Manager.SetStatusFilter(stateStopped);
    struct Case {
        const char* Text;
        int Flags;
        const char* Expected;  // selected rows by their first letters
    };
    const Case cases[] = {
        {"alpha", ffName, "A"},
        {"alpha", ffDestination, "b"},
        {"alpha", ffName | ffDestination, "Ab"},
        {"SRC", ffSource, "Ab"},
        {"two", ffName | ffSource, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Bed.Dialogs.Asked.clear();
        Bed.Dialogs.MessageBoxAnswers = {TModalResult::OK};
        Manager.FindAll(c.Text, c.Flags);
        std::string firstLetters;
        for (TTaskItem* task : Manager.Rows().SelectedRecords())
            firstLetters += task->Name().front();
        EXPECT_EQ(firstLetters, c.Expected);
        const bool none = std::string(c.Expected).empty();
        EXPECT_EQ(Bed.Dialogs.Asked, none ? std::vector<std::string>{"Information:sNoFindedItem"}
                                          : std::vector<std::string>{});
    }
}

TEST_F(ManagerCommandsTest, FindNextWalksDownAndOffersToStartOver)
{
    Add("xyxz");  // hits in rows 0 and 2
    Add("x", stateWait);
    Manager.SetStatusFilter(stateStopped);  // the last x is hidden
    auto next = [&] {
        Manager.FindNext("X", ffName);
        return Manager.Rows().Focused();
    };
    EXPECT_EQ(next(), 0);
    EXPECT_EQ(next(), 2);
    EXPECT_EQ(SelectedRows(), "x");

    Bed.Dialogs.MessageBoxAnswers = {TModalResult::Yes};
    EXPECT_EQ(next(), 0);  // wrapped to the top
    EXPECT_EQ(next(), 2);
    Bed.Dialogs.MessageBoxAnswers = {TModalResult::No};
    next();
    EXPECT_EQ(SelectedRows(), "");
    EXPECT_EQ(Bed.Dialogs.Asked, (std::vector<std::string>{"Information:sFindedItemEnd", "Information:sFindedItemEnd"}));
    EXPECT_EQ(Bed.Desktop.Beeps, (std::vector<TBeepKind>{TBeepKind::Error, TBeepKind::Error}));

    Bed.Dialogs.Asked.clear();
    Bed.Dialogs.MessageBoxAnswers = {TModalResult::OK};
    Manager.ResetFind();
    Manager.FindNext("nothing", ffName | ffSource | ffDestination);
    EXPECT_EQ(Bed.Dialogs.Asked, std::vector<std::string>{"Information:sNoFindedItem"});
    EXPECT_EQ(Bed.Desktop.Beeps.size(), 3u);
}

TEST_F(ManagerCommandsTest, StatusFilterShowsOneStateAndRetryingErrorsWithFailures)
{
    // Task i is in state i; its size is i and one size is unknown.
    for (int state = 0; state < kTaskStateCount; ++state) {
        TTaskItem& task = Bed.AddTask("/src/" + std::to_string(state), "/dst", TTaskState(state));
        task.Size = state == 0 ? -1 : state;
        task.Loaded = 1;
    }
    Select("0134");
    for (auto [filter, shown, sizeShown, sizeSelected] :
         {std::tuple<TStatusFilter, const char*, int, int>{std::nullopt, "01234567", 27, 7},
          {stateErrorStopped, "34", 7, 7}, {stateWait, "0", -1, -1},
          {stateCompleted, "5", 5, 0}}) {
        Manager.SetStatusFilter(filter);
        EXPECT_EQ(ShownRows(), shown);
        EXPECT_EQ(Manager.TotalSizeShown(), sizeShown);
        EXPECT_EQ(Manager.TotalSizeSelected(), sizeSelected);
        EXPECT_EQ(Manager.TotalLoadedShown(), Manager.CountShown());
        EXPECT_EQ(Manager.TotalLoadedSelected(), Manager.CountSelected());
    }
}

TEST_F(ManagerCommandsTest, PauseAllLeavesCompletedAndStoppedTasksAlone)
{
    for (int state = 0; state < kTaskStateCount; ++state)
        Bed.AddTask("/src/" + std::to_string(state), "/dst", TTaskState(state)).StartTime = 5;
    EXPECT_TRUE(Manager.CanPauseAll());
    Manager.PauseAll();
    for (int state = 0; state < kTaskStateCount; ++state) {
        const TTaskItem& task = Manager.Tasks()[state];
        const bool leftAlone = state == stateCompleted || state == stateStopped;
        EXPECT_EQ(task.State(), state == stateCompleted ? stateCompleted : stateStopped) << state;
        EXPECT_EQ(task.StartTime, leftAlone ? 5u : 0u) << state;
    }
    EXPECT_FALSE(Manager.CanPauseAll());
}

TEST_F(ManagerCommandsTest, ConfirmedCommandsAskUnlessToldNotTo)
{
    using A = TScriptedDialogs::TCheckAnswer;
    TOptions& options = Options();
    struct Flagged {
        TCommand Command;
        bool* Flag;
        const char* Text;
    };
    // A stopped task that restarts is queued again; deleting removes it.
    const Flagged commands[] = {
        {&TManagerTask::DeleteSelected, &options.bdsAllSelectedTaskDelete, "CheckWarning:sAllSelectedDelete"},
        {&TManagerTask::DeleteAll, &options.bdsAllTaskDelete, "CheckWarning:sAllDelete"},
        {&TManagerTask::RestartSelected, &options.bdsAllSelectedTaskRestart, "CheckWarning:sAllSelectedRestart"},
    };
    const struct {
        bool Flag;
        std::deque<A> Answers;
        bool Acts;
        bool FlagAfter;
    } answers[] = {
        {true, {}, true, true},
        {false, {A{TModalResult::OK, false}}, true, false},
        {false, {A{TModalResult::OK, true}}, true, true},  // no more questions from now on
        // A refusal never silences the question: the next time it would act unasked.
        {false, {A{TModalResult::Cancel, true}}, false, false},
    };
    for (const Flagged& command : commands) {
        for (const auto& answer : answers) {
            SCOPED_TRACE(std::string(command.Text) + (answer.Flag ? " flag" : " box"));
            Manager.NewList({});
            Add("a");
            Select("a");
            Bed.Dialogs.Asked.clear();
            Bed.Shell.Calls.clear();
            Bed.Dialogs.CheckBoxAnswers = answer.Answers;
            *command.Flag = answer.Flag;
            (Manager.*command.Command)();
            const bool acted = Manager.Tasks().Count() == 0 || Task('a').State() == stateWait;
            EXPECT_EQ(acted, answer.Acts);
            EXPECT_EQ(*command.Flag, answer.FlagAfter);
            EXPECT_EQ(Bed.Dialogs.Asked, answer.Flag ? std::vector<std::string>{}
                                                     : std::vector<std::string>{command.Text});
            const bool sound = command.Command == &TManagerTask::DeleteSelected && answer.Acts;
            EXPECT_EQ(Bed.Shell.Count("SoundDeleted"), sound ? 1 : 0);
        }
    }
}

TEST(MessageBoxWithCheckTest, OnlyAYesSilencesTheQuestion)
{
    using M = TModalResult;
    for (auto [answer, silenced] : {std::pair{M::OK, true}, {M::Yes, true}, {M::Cancel, false}, {M::No, false},
                                    {M::Abort, false}, {M::NoToAll, false}}) {
        TScriptedDialogs dialogs;
        dialogs.CheckBoxAnswers = {{answer, true}};
        bool flag = false;
        EXPECT_EQ(MessageBoxWithCheck(dialogs, "text", TMessageKind::Warning, mbOK | mbCancel, flag), answer);
        EXPECT_EQ(flag, silenced) << int(answer);
    }
}

TEST_F(ManagerCommandsTest, DeleteSelectedLeavesRowsTheFilterHides)
{
    Add("abc");
    Hide("b");
    Select("ab");
    Options().bdsAllSelectedTaskDelete = true;
    Manager.DeleteSelected();
    EXPECT_EQ(ListOrder(), "bc");
    ASSERT_EQ(Bed.Records.RecycleBin.size(), 1u);
    EXPECT_EQ(Bed.Records.RecycleBin[0].Name, "a");
}

TEST_F(ManagerCommandsTest, StartImmediatelyRunsEverySelectedTaskOutsideTheLimit)
{
    Manager.MaxActiveTasks = 1;
    // The workers wait at the existing-file question, asked on this thread.
    TTempDir dir;
    Add("abcd", stateStopped, dir.Path().string());
    for (char name : std::string("abc"))
        WriteFileBytes(Task(name).DestinationFileName(), "old");
    Bed.Dialogs.ExistingFileAnswers.assign(3, {.Confirmed = false});
    Select("abc");
    Bed.Dialogs.CheckBoxAnswers = {{TModalResult::OK, false}};
    Manager.StartSelectedImmediately();
    EXPECT_EQ(Bed.Dialogs.Asked, std::vector<std::string>{"CheckWarning:sAllSelectedStartImmediatelly"});
    for (char name : std::string("abc"))
        EXPECT_TRUE(Task(name).IsRunning()) << name;
    EXPECT_EQ(Task('d').State(), stateStopped);
    EXPECT_EQ(Manager.RunningWorkers().Value(), 3);

    // A running task keeps its worker.
    const TTaskThread* worker = Task('a').Worker();
    Options().bdsAllSelectedStartImmediatelly = true;
    Manager.StartSelectedImmediately();
    EXPECT_EQ(Task('a').Worker(), worker);
    EXPECT_EQ(Manager.RunningWorkers().Value(), 3);
    for (char name : std::string("abc"))
        ASSERT_TRUE(Bed.WaitForWorker(Task(name)));
}

TEST_F(ManagerCommandsTest, DeleteTasksHandlesUnfinishedCopiesAsTheUserAnswers)
{
    using M = TModalResult;
    struct Case {
        const char* Name;
        int WhatToDo;
        std::deque<TIncompleteTaskAnswer> Dialogs;  // for a, then b
        std::deque<M> ForTheRest;
        const char* Remaining;                      // tasks left in the list
        const char* FilesLeft;                      // copies left on disk
        int QuestionsAsked;
        int WhatToDoAfter;
    };
    const TIncompleteTaskAnswer del{true, true, false}, keep{true, false, false}, cancel{};
    const Case cases[] = {
        {"delete, yes for the rest", 2, {del}, {M::Yes}, "", "", 2, 2},
        {"keep, no for the rest", 2, {keep, del}, {M::No}, "", "a", 3, 2},
        {"cancel", 2, {cancel}, {}, "abc", "ab", 1, 2},
        {"abort", 2, {del}, {M::Abort}, "abc", "b", 2, 2},
        {"remembered choice", 2, {{true, false, true}}, {}, "", "ab", 1, 1},
        {"mode 0", 0, {}, {}, "", "", 0, 0},
        {"mode 1", 1, {}, {}, "", "ab", 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        Manager.NewList({});
        Bed.Records.History.clear();
        Bed.Records.RecycleBin.clear();
        Bed.Dialogs.Asked.clear();
        Options().IncompleteTaskWhatToDo = c.WhatToDo;
        Options().bHistoryAddIncomplete = c.WhatToDo != 1;
        Add("ab", stateStopped, dir.Path().string());
        Add("c", stateCompleted, dir.Path().string());
        for (char name : std::string("ab")) {
            WriteFileBytes(Task(name).DestinationFileName(), "part");
            Task(name).DestinationCreated = true;
        }
        Bed.Dialogs.IncompleteTaskAnswers = c.Dialogs;
        Bed.Dialogs.MessageBoxAnswers = c.ForTheRest;

        Manager.DeleteTasks(false);

        EXPECT_EQ(ListOrder(), c.Remaining);
        std::string filesLeft;
        for (char name : std::string("ab"))
            if (std::filesystem::exists(dir.File(std::string(1, name))))
                filesLeft += name;
        EXPECT_EQ(filesLeft, c.FilesLeft);
        EXPECT_EQ(int(Bed.Dialogs.Asked.size()), c.QuestionsAsked);
        EXPECT_EQ(Options().IncompleteTaskWhatToDo, c.WhatToDoAfter);
        const std::size_t deleted = 3 - std::string(c.Remaining).size();
        const bool history = Options().bHistoryAddIncomplete && deleted > 0;
        EXPECT_EQ(Bed.Records.RecycleBin.size(), deleted);
        EXPECT_EQ(Bed.Records.History.size(), history ? 2u : 0u);
        for (const TTaskRecord& record : Bed.Records.RecycleBin)
            EXPECT_EQ(record.TimeCompleted, Bed.Clock.Date);
        EXPECT_TRUE(Bed.Dialogs.IncompleteTaskAnswers.empty() && Bed.Dialogs.MessageBoxAnswers.empty());
    }
}

TEST_F(ManagerCommandsTest, DeletionNeitherStrandsARunningTaskNorFreesOneMidway)
{
    using M = TModalResult;
    struct Case {
        const char* Name;
        bool Running;                // a runs when the deletion starts
        TIncompleteTaskAnswer ForA;
        M ForTheRest;
        bool CompletesWhileAsked;    // a's run completes, and the tick runs, while a's question is open
        const char* Remaining;
        TTaskState StateOfA;         // when a remains
    };
    const TIncompleteTaskAnswer del{true, true, false}, keep{true, false, false};
    const Case cases[] = {
        {"running, file deleted, abort", true, del, M::Abort, false, "abc", stateStopped},
        {"running, file kept, abort", true, keep, M::Abort, false, "abc", stateStarted},
        {"completed while asked", false, del, M::Yes, true, "", stateCompleted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        Manager.NewList({});
        Manager.DeleteCompletedTasks = true;
        Options().IncompleteTaskWhatToDo = 2;
        Add("ab", stateStopped, dir.Path().string());
        Add("c", stateCompleted, dir.Path().string());
        for (char name : std::string("ab")) {
            WriteFileBytes(Task(name).DestinationFileName(), "part");
            Task(name).DestinationCreated = true;
        }
        TTaskItem& a = Task('a');
        if (c.Running) {
            // Its worker waits at the existing-file question, asked on this thread.
            a.DestinationCreated = false;
            a.Start();
            a.DestinationCreated = true;
            Bed.Dialogs.ExistingFileAnswers = {{.Confirmed = false}};
        }
        int tasksSeenByTheTick = -1;
        Bed.Dialogs.WhileAsking = [&](const std::string& question) {
            if (c.CompletesWhileAsked && question == "IncompleteTask:a") {
                a.SetState(stateCompleted);
                Manager.Tick();
                tasksSeenByTheTick = Manager.Tasks().Count();
            }
        };
        Bed.Dialogs.IncompleteTaskAnswers = {c.ForA};
        Bed.Dialogs.MessageBoxAnswers = {c.ForTheRest};

        Manager.DeleteTasks(false);

        Bed.Dialogs.WhileAsking = nullptr;
        EXPECT_EQ(ListOrder(), c.Remaining);
        if (c.CompletesWhileAsked) {
            EXPECT_EQ(tasksSeenByTheTick, 3);
        }
        if (!std::string(c.Remaining).empty()) {
            EXPECT_EQ(a.State(), c.StateOfA);
            EXPECT_EQ(a.IsRunning(), c.StateOfA == stateStarted);
            // Only a task with a worker holds a place of the queue.
            Manager.Tick();
            EXPECT_EQ(Manager.ActiveCount(), a.IsRunning() ? 1 : 0);
            a.StopTransfer();
        }
        EXPECT_EQ(Manager.RunningWorkers().Value(), 0);
    }
}
