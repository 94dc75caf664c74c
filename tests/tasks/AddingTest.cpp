#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

namespace {

using TEdit = std::function<void(TTaskDialogModel&)>;

class AddingTest : public ::testing::Test {
protected:
    AddingTest() { ClearMessageTexts(); }

    TTaskBed Bed;
    TManagerTask& Manager = Bed.OpenManager();
    TScriptedDialogs& Dialogs = Bed.Dialogs;

    // Each task as "name@destination", in list order, separated by blanks.
    std::string Tasks() const
    {
        std::string text;
        for (int i = 0; i < Manager.Tasks().Count(); ++i)
            text += (text.empty() ? "" : " ") + Manager.Tasks()[i].Name() + "@" + Manager.Tasks()[i].Destination;
        return text;
    }
    std::string Asked() const
    {
        std::string text;
        for (const std::string& question : Dialogs.Asked)
            text += (text.empty() ? "" : " | ") + question;
        return text;
    }
    // Answers the task dialogs and the question after them from a script: D confirms a task
    // dialog (after edit), C cancels one; Y, N, A and T answer the question with Yes, No,
    // Abort and No to all, K with Yes and its box ticked.
    void Script(const std::string& answers, const TEdit& edit = {})
    {
        for (char answer : answers) {
            if (answer == 'D' || answer == 'C') {
                Dialogs.TaskDialogAnswers.push_back({answer == 'D', edit});
                continue;
            }
            const TModalResult result = answer == 'A'   ? TModalResult::Abort
                                        : answer == 'N' ? TModalResult::No
                                        : answer == 'T' ? TModalResult::NoToAll
                                                        : TModalResult::Yes;
            Dialogs.CheckBoxAnswers.push_back({result, answer == 'K'});
        }
    }
    bool ScriptUsed() const { return Dialogs.TaskDialogAnswers.empty() && Dialogs.CheckBoxAnswers.empty(); }
    std::vector<std::string> Paths(const std::string& names) const
    {
        std::vector<std::string> paths;
        for (char name : names)
            paths.push_back(std::string("/s/") + name);
        return paths;
    }
};

}  // namespace

TEST_F(AddingTest, EachPathTakesItsFolderTheOneFolderOrTheDialogs)
{
    struct Case {
        std::vector<std::string> Folders;
        bool Silent;
        std::vector<std::string> Remembered;
        const char* Script;
        const char* Expected;
        const char* Asked;
    };
    const TEdit typeFolder = [](TTaskDialogModel& m) {
        if (m.DestinationText().empty())
            m.SetDestinationText("/typed");
    };
    const std::string question = "CheckConfirmation:sAddOtherTask";
    // clang-format off
    const Case cases[] = {
        {{"/a", "/b", "/c"}, true, {}, "", "x@/a y@/b z@/c", ""},
        {{"/one"}, true, {}, "", "x@/one y@/one z@/one", ""},
        // The most recent remembered folder, as the dialog would propose it.
        {{}, true, {"/recent", "/old"}, "", "x@/recent y@/recent z@/recent", ""},
        // Without any folder even a silent request shows every task; the next one is
        // proposed the folder chosen for the one before.
        {{}, true, {}, "DNDND", "x@/typed y@/typed z@/typed",
         "TaskDialog:/s/x> | q | TaskDialog:/s/y>/typed | q | TaskDialog:/s/z>/typed"},
        {{"/a", "/b", "/c"}, false, {}, "DNDND", "x@/a y@/b z@/c",
         "TaskDialog:/s/x>/a | q | TaskDialog:/s/y>/b | q | TaskDialog:/s/z>/c"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Expected);
        Manager.NewList({});
        Dialogs.Asked.clear();
        Options().ListDestination = c.Remembered;
        Script(c.Script, typeFolder);
        Manager.AddFileList(Paths("xyz"), c.Folders, c.Silent);
        EXPECT_EQ(Tasks(), c.Expected);
        std::string asked = c.Asked;
        for (std::size_t at = asked.find(" q "); at != std::string::npos; at = asked.find(" q "))
            asked.replace(at + 1, 1, question);
        EXPECT_EQ(Asked(), asked);
        EXPECT_TRUE(ScriptUsed());
    }
}

TEST_F(AddingTest, TheQuestionAfterATaskDecidesAboutTheOthers)
{
    struct Case {
        const char* Script;
        const char* Added;
    };
    // clang-format off
    const Case cases[] = {
        {"DY", "abcde"},          // the rest without dialogs, with the first one's properties
        {"DNDNDNDND", "abcde"},  // a dialog and the question for each
        {"DA", "a"},             // the rest is dropped
        {"DTDDDD", "abcde"},     // a dialog for each, no more questions
        {"DNCDNDND", "acde"},    // a cancelled dialog skips its path without the question
    };
    // clang-format on
    const TEdit manualAndHigher = [](TTaskDialogModel& m) {
        m.StartMode = tsManually;
        m.Priority = tpHigherPriority;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Script);
        Manager.NewList({});
        Script(c.Script, manualAndHigher);
        Manager.AddFileList(Paths("abcde"), {"/d"}, false);
        std::string added;
        for (int i = 0; i < Manager.Tasks().Count(); ++i) {
            const TTaskItem& task = Manager.Tasks()[i];
            added += task.Name();
            EXPECT_EQ(task.Source, "/s/" + task.Name());
            EXPECT_EQ(task.TrafficPriority, tpHigherPriority);
            EXPECT_EQ(task.State(), stateStopped);
        }
        EXPECT_EQ(added, c.Added);
        EXPECT_TRUE(ScriptUsed());
    }
}

TEST_F(AddingTest, AYesWithTheBoxTickedIsTheAnswerFromThenOn)
{
    Script("DK");
    Manager.AddFileList(Paths("ab"), {"/d"}, false);
    EXPECT_TRUE(Options().bdsApllyParamFromAnotherTask);
    // One dialog, no question: the others follow the first one.
    Script("D");
    Manager.AddFileList(Paths("cde"), {"/d"}, false);
    EXPECT_EQ(Tasks(), "a@/d b@/d c@/d d@/d e@/d");
    EXPECT_TRUE(ScriptUsed());
}

TEST_F(AddingTest, DuplicatesAreRenamedAskedAboutOrRefused)
{
    using TAnswer = TScriptedDialogs::TDuplicateAnswer;
    const auto typePath = [](const char* path) {
        return TAnswer{TAnswer::OK, [path](TDuplicateDialogModel& m) { m.Path = path; }};
    };
    struct Case {
        int WhatToDo;
        std::vector<TAnswer> Answers;
        const char* Source;
        const char* Folder;
        const char* Expected;  // the tasks after "a.zip@/d" and "README@/d"
        const char* Asked;
    };
    // clang-format off
    const Case cases[] = {
        {0, {}, "/t/a.zip", "/d", "a[1].zip@/d", ""},
        // One folder, however it is written.
        {0, {}, "/t/a.zip", "/d/", "a[1].zip@/d/", ""},
        // Named as copies on disk are: no extension, no dot.
        {0, {}, "/t/README", "/d", "README[1]@/d", ""},
        {1, {}, "/t/a.zip", "/d", "", "Warning:sDestinationAlraedyInList"},
        {2, {TAnswer{}}, "/t/a.zip", "/d", "a[1].zip@/d", "Duplicate:/d/a[1].zip"},
        {2, {typePath("/e/b.zip")}, "/t/a.zip", "/d", "b.zip@/e", "Duplicate:/d/a[1].zip"},
        // A name that is taken as well is asked about again.
        {2, {typePath("/d/README"), TAnswer{}}, "/t/a.zip", "/d", "README[1]@/d",
         "Duplicate:/d/a[1].zip | Duplicate:/d/README[1]"},
        {2, {TAnswer{TAnswer::Cancel}}, "/t/a.zip", "/d", "", "Duplicate:/d/a[1].zip"},
        // Nobody answers: the proposal is taken when the time is up.
        {2, {TAnswer{TAnswer::Timeout}}, "/t/a.zip", "/d", "a[1].zip@/d", "Duplicate:/d/a[1].zip"},
        {3, {}, "/t/a.zip", "/d", "a.zip@/d", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.WhatToDo) + " " + c.Expected);
        Manager.NewList({});
        Bed.AddTask("/s/a.zip", "/d");
        Bed.AddTask("/s/README", "/d");
        Options().DuplicateTaskWhatToDo = c.WhatToDo;
        Dialogs.Asked.clear();
        Dialogs.DuplicateAnswers.assign(c.Answers.begin(), c.Answers.end());
        if (c.WhatToDo == 1)
            Dialogs.MessageBoxAnswers = {TModalResult::OK};
        Manager.AddFileList({c.Source}, {c.Folder}, true);
        EXPECT_EQ(Tasks(), std::string("a.zip@/d README@/d") + (*c.Expected ? " " : "") + c.Expected);
        EXPECT_EQ(Asked(), c.Asked);
        EXPECT_TRUE(Dialogs.DuplicateAnswers.empty());
    }
    EXPECT_EQ(Dialogs.CountdownTicks, 30);
}

TEST_F(AddingTest, FurtherDuplicatesTakeTheNextFreeNumber)
{
    Options().DuplicateTaskWhatToDo = 0;
    Manager.AddFileList({"/s/a.zip", "/t/a.zip", "/u/a.zip"}, {"/d"}, true);
    EXPECT_EQ(Tasks(), "a.zip@/d a[1].zip@/d a[2].zip@/d");
}

TEST_F(AddingTest, ASourceInTheListAgainNeedsTheUsersYes)
{
    Bed.AddTask("/s/a.zip", "/d");
    // No: refused at once, without the question about its name.
    Dialogs.MessageBoxAnswers = {TModalResult::No};
    Manager.AddFileList({"/s/a.zip"}, {"/d"}, true);
    EXPECT_EQ(Asked(), "Confirmation:sSourceAlraedyinList");
    Dialogs.MessageBoxAnswers = {TModalResult::Yes};
    Dialogs.DuplicateAnswers = {{}};
    Manager.AddFileList({"/s/a.zip"}, {"/d"}, true);
    EXPECT_EQ(Tasks(), "a.zip@/d a[1].zip@/d");
}

TEST_F(AddingTest, ASilentRequestTakesTheHostsAndTheDefaultStart)
{
    Bed.Hosts.Default = tpMiddlePriority;
    Bed.Hosts.HostDefaults["ftp://srv/"] = THostDefaults{tpHigherPriority, true, "u", "p"};
    Manager.DefaultTypeStart = tsManually;
    Manager.AddFiles("ftp://srv/a\r\nftp://srv/b\r\n", "/d\r\n", true);
    EXPECT_EQ(Tasks(), "a@/d b@/d");
    EXPECT_TRUE(Dialogs.Asked.empty());
    for (int i = 0; i < 2; ++i) {
        const TTaskItem& task = Manager.Tasks()[i];
        EXPECT_EQ(task.State(), stateStopped);
        EXPECT_TRUE(task.LoginToSource);
        EXPECT_EQ(task.UserLoginToSource + ":" + task.UserPasswordToSource, "u:p");
        EXPECT_FALSE(task.LoginToDestination);
        // The lower of the two ends' priorities: the local folder has the default one.
        EXPECT_EQ(task.TrafficPriority, tpMiddlePriority);
        EXPECT_TRUE(Manager.Rows().Row(i).Selected);
    }
    EXPECT_EQ(Bed.Hosts.Ensured, 2);
}

TEST_F(AddingTest, TheAddCommandSoundsAndMayKeepItsChoicesForNextTime)
{
    Script("C");
    Manager.AddNewTask();
    EXPECT_EQ(Tasks(), "");
    Script("D", [](TTaskDialogModel& m) {
        m.SetSourceText("http://h/f.iso");
        m.SetDestinationText("/d");
        m.StartMode = tsManually;
        m.Priority = tpHigherPriority;
        m.UseByDefault = true;
    });
    Manager.AddNewTask();
    EXPECT_EQ(Tasks(), "f.iso@/d");
    EXPECT_EQ(Asked(), "TaskDialog:> | TaskDialog:>");
    EXPECT_EQ(Bed.Shell.Count("SoundAdded"), 2);
    EXPECT_EQ(Manager.DefaultTypeStart, tsManually);
    EXPECT_EQ(Bed.Hosts.Default, tpHigherPriority);
}

TEST_F(AddingTest, PropertiesChangeOnlyWhatTheUserChangedAndOnlyOnATaskAtRest)
{
    struct Case {
        const char* Title;
        TTaskState State;
        TEdit Edit;
        TModalResult Answer;  // to the question, when asked
        const char* Asked;
        const char* Expected;  // "name@destination loaded priority"
    };
    // clang-format off
    const Case cases[] = {
        // Confirmed as shown: "save as" unticked leaves the name, nothing is asked.
        {"unchanged", stateStopped, {}, TModalResult::Yes, "", "a.zip@/d 50 2"},
        {"priority", stateStopped, [](TTaskDialogModel& m) { m.Priority = tpHigherPriority; }, TModalResult::Yes,
         "Warning:sParrametersChanged", "a.zip@/d 50 3"},
        {"saved as", stateStopped,
         [](TTaskDialogModel& m) {
             m.SaveAs = true;
             m.SaveAsName = "b.zip";
         },
         TModalResult::Yes, "Warning:sParrametersChanged", "b.zip@/d 0 2"},
        // The name derived from the source changes with it: another file.
        {"source", stateStopped, [](TTaskDialogModel& m) { m.SetSourceText("/s/c.zip"); }, TModalResult::Yes,
         "Warning:sParrametersChanged", "c.zip@/d 0 2"},
        {"folder refused", stateStopped, [](TTaskDialogModel& m) { m.SetDestinationText("/e"); }, TModalResult::No,
         "Warning:sParrametersChanged", "a.zip@/d 50 2"},
        {"running", stateStarted, [](TTaskDialogModel& m) { m.SetDestinationText("/e"); }, TModalResult::Yes,
         "Warning:sNoParrametersChanged", "a.zip@/d 50 2"},
        {"running unchanged", stateStarted, {}, TModalResult::Yes, "", "a.zip@/d 50 2"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Title);
        Manager.NewList({});
        TTaskItem& task = Bed.AddTask("/s/a.zip", "/d", c.State);
        task.Loaded = 50;
        Dialogs.Asked.clear();
        Dialogs.TaskDialogAnswers = {{true, c.Edit}};
        Dialogs.MessageBoxAnswers = {c.Answer};
        Manager.ShowTaskProperties(task, false);
        Dialogs.MessageBoxAnswers.clear();
        EXPECT_EQ(Asked(), "TaskDialog:/s/a.zip>/d" + std::string(*c.Asked ? " | " : "") + c.Asked);
        EXPECT_EQ(Tasks() + " " + std::to_string(task.Loaded) + " " + std::to_string(int(task.TrafficPriority)),
                  c.Expected);
        EXPECT_EQ(task.State(), c.State);
    }
}

TEST_F(AddingTest, TheDuplicateDialogMayDecideTheNextDuplicates)
{
    Bed.AddTask("/s/a.zip", "/d");
    Dialogs.DuplicateAnswers = {{TScriptedDialogs::TDuplicateAnswer::OK, [](TDuplicateDialogModel& m) {
                                     m.Rename = false;
                                     m.Remember = true;
                                 }}};
    Manager.AddFileList({"/t/a.zip"}, {"/d"}, true);
    EXPECT_EQ(Options().DuplicateTaskWhatToDo, 1);
    // Refused from now on with a message.
    Dialogs.MessageBoxAnswers = {TModalResult::OK};
    Manager.AddFileList({"/u/a.zip"}, {"/d"}, true);
    EXPECT_EQ(Asked(), "Duplicate:/d/a[1].zip | Warning:sDestinationAlraedyInList");
    EXPECT_EQ(Tasks(), "a.zip@/d");
}
