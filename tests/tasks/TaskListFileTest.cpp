#include "config/Options.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/ManagerTask.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A list file with one "Task" element per body given.
void WriteList(const std::string& path, const std::vector<std::string>& tasks)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<List>\n";
    for (const std::string& body : tasks)
        xml += "<Task>" + body + "</Task>\n";
    WriteFileBytes(path, xml + "</List>\n");
}

} // namespace

TEST(TaskListFileTest, SavedTasksReadBackWithTheirStoredValues)
{
    TTaskBed bed;
    TTempDir dir;
    const std::string file = dir.File("list.qtl");
    TManagerTask& manager = bed.OpenManager(file);
    TTaskItem& first = bed.AddTask("ftp://host/pub/a.zip", "/dst", stateStopped);
    first.SetName("renamed.zip");
    first.LoginToSource = true;
    first.UserLoginToSource = "u";
    first.UserPasswordToSource = "p w";
    first.Size = int64_t(5) << 32;
    first.Loaded = 12345;
    first.Retry = 2;
    first.TypeStart = tsManually;
    first.TrafficPriority = tpHighestPriority;
    first.DestinationCreated = true;
    first.TimeDownloaded = 4000000000u;
    first.PauseTemporaryTimeout = 7;
    first.PauseTemporaryRetries = 3;
    first.Log.Add(4, "failed: 100%");
    first.SourceVersion = {"\"5f0c-1a2b\"", 132223920450000000u, int64_t(5) << 32};
    TTaskItem& second = bed.AddTask("\\\\srv\\share\\b.bin", "/dst2", stateErrorStopped);
    ASSERT_TRUE(manager.SaveToFile({}));

    TTaskBed other;
    TManagerTask& reread = other.OpenManager(file);
    ASSERT_EQ(reread.Tasks().Count(), 2);
    ASSERT_EQ(reread.Rows().Count(), 2);
    const TTaskItem& a = reread.Tasks()[0];
    EXPECT_EQ(a.Name(), "renamed.zip");
    EXPECT_EQ(a.UserPasswordToSource, "p w");
    EXPECT_EQ(a.Size, first.Size);
    EXPECT_EQ(a.Loaded, 12345);
    EXPECT_EQ(a.Retry, 2u);
    EXPECT_EQ(a.TypeStart, tsManually);
    EXPECT_EQ(a.State(), stateStopped);
    EXPECT_EQ(a.TrafficPriority, tpHighestPriority);
    EXPECT_TRUE(a.DestinationCreated);
    EXPECT_EQ(a.TimeDownloaded, 4000000000u);
    EXPECT_EQ(a.TimeCreated, first.TimeCreated);
    EXPECT_EQ(a.PauseTemporaryRetries, 3);
    EXPECT_EQ(a.SourceVersion.ETag, first.SourceVersion.ETag);
    EXPECT_EQ(a.SourceVersion.Modified, first.SourceVersion.Modified);
    EXPECT_EQ(a.SourceVersion.Size, first.SourceVersion.Size);
    ASSERT_EQ(a.Log.Count(), 1);
    EXPECT_EQ(a.Log.Items(0).Text, "failed: 100%");
    const TTaskItem& b = reread.Tasks()[1];
    EXPECT_EQ(b.StoredName(), "");
    EXPECT_EQ(b.Name(), second.Name());
    EXPECT_EQ(b.State(), stateErrorStopped);
    EXPECT_EQ(other.Hosts.Ensured, 2);

    // The list holds passwords: only its owner may read it.
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(TaskListFileTest, MissingAndUnreadableElementsTakeTheirFallbacks)
{
    struct Case {
        const char* Body;
        int64_t Size;
        TTaskStart TypeStart;
        TTaskState State;
        TTrafficPriority Priority;
    };
    const Case cases[] = {
        {"<Source>/a</Source>", -1, tsAutomatic, stateWait, tpMiddlePriority},
        {"<Size>lots</Size><TypeStart>later</TypeStart>", 0, tsManually, stateWait, tpMiddlePriority},
        {"<TypeStart>2</TypeStart><State>5</State>", -1, tsShedule, stateScheduled, tpMiddlePriority},
        {"<State>9</State><TypeStart>5</TypeStart><TrafficPriority>7</TrafficPriority>", -1, tsManually, stateWait,
         tpMiddlePriority},
        {"<State>x</State><TrafficPriority>-1</TrafficPriority><Size>42</Size>", 42, tsAutomatic, stateWait,
         tpMiddlePriority},
        {"<State>4</State><TrafficPriority>0</TrafficPriority>", -1, tsAutomatic, stateErrorStopped, tpLowestPriority},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Body);
        TTaskBed bed;
        TTempDir dir;
        WriteList(dir.File("l.qtl"), {c.Body});
        TManagerTask& manager = bed.OpenManager(dir.File("l.qtl"));
        ASSERT_EQ(manager.Tasks().Count(), 1);
        const TTaskItem& task = manager.Tasks()[0];
        EXPECT_EQ(task.Size, c.Size);
        EXPECT_EQ(task.TypeStart, c.TypeStart);
        EXPECT_EQ(task.State(), c.State);
        EXPECT_EQ(task.TrafficPriority, c.Priority);
        // Lists written before source versions were kept leave them unknown.
        EXPECT_FALSE(task.SourceVersion.Known());
    }
}

TEST(TaskListFileTest, TaskStoredAsRunningStartsWhileTheListIsRead)
{
    TTaskBed bed(TBedClock::Real);
    TTempDir dir;
    WriteFileBytes(dir.File("src.bin"), std::string(100000, 'x'));
    WriteList(dir.File("l.qtl"), {"<Source>" + dir.File("src.bin") + "</Source><Destination>" +
                                  dir.Path().string() + "/out</Destination><State>1</State>"});
    std::filesystem::create_directories(dir.File("out"));
    TManagerTask& manager = bed.OpenManager(dir.File("l.qtl"));
    TTaskItem& task = manager.Tasks()[0];
    EXPECT_EQ(manager.RunningWorkers().Value(), 1);
    ASSERT_TRUE(bed.WaitForWorker(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(manager.RunningWorkers().Value(), 0);
    EXPECT_EQ(ReadFileBytes(dir.File("out/src.bin")), std::string(100000, 'x'));
}

TEST(TaskListFileTest, AppendOpenNewAndSaveAsMoveTheCurrentFile)
{
    TTaskBed bed;
    TTempDir dir;
    WriteList(dir.File("two.qtl"), {"<Source>/a</Source>", "<Source>/b</Source>"});
    WriteList(dir.File("three.qtl"), {"<Source>/c</Source>", "<Source>/d</Source>", "<Source>/e</Source>"});
    TManagerTask& manager = bed.OpenManager(dir.File("two.qtl"));
    manager.LoadFromFile(dir.File("three.qtl"));
    ASSERT_EQ(manager.Tasks().Count(), 5);
    EXPECT_EQ(manager.Tasks()[2].Source, "/c");
    EXPECT_EQ(manager.Rows().Count(), 5);
    EXPECT_EQ(manager.FileName(), dir.File("three.qtl"));

    manager.SaveListAs(dir.File("new.qtl"));
    manager.SaveToFile({});
    TTaskBed other;
    EXPECT_EQ(other.OpenManager(dir.File("new.qtl")).Tasks().Count(), 5);

    manager.OpenFile(dir.File("two.qtl"));
    EXPECT_EQ(manager.Tasks().Count(), 2);
    manager.NewList(dir.File("empty.qtl"));
    EXPECT_EQ(manager.Tasks().Count(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("empty.qtl")));
    manager.OpenFile(dir.File("missing.qtl"));
    EXPECT_EQ(manager.Tasks().Count(), 0);
}

TEST(TaskListFileTest, LogsAreStoredOnlyWhenTheOptionSaysSo)
{
    TTaskBed bed;
    TTempDir dir;
    Options().TaskLogSaveToFile = false;
    TManagerTask& manager = bed.OpenManager(dir.File("l.qtl"));
    bed.AddTask("/a", "/b").Log.Add(2, "entry");
    manager.SaveToFile({});
    EXPECT_EQ(ReadFileBytes(dir.File("l.qtl")).find("LogList"), std::string::npos);
    TTaskBed other;
    EXPECT_EQ(other.OpenManager(dir.File("l.qtl")).Tasks()[0].Log.Count(), 0);
}

TEST(TaskListFileTest, AutomaticSavingWritesOnItsPeriodAndAtTheEnd)
{
    TTaskBed bed;
    TTempDir dir;
    TManagerTask& manager = bed.OpenManager(dir.File("auto.qtl"));
    manager.SetAutoSave(true);
    manager.SetAutoSavePeriod(1);
    bed.AddTask("/a", "/b");
    bed.Clock.Advance(59999);
    EXPECT_FALSE(manager.PollAutoSave());
    bed.Clock.Advance(1);
    EXPECT_TRUE(manager.PollAutoSave());
    EXPECT_TRUE(std::filesystem::exists(dir.File("auto.qtl")));
    bed.AddTask("/c", "/d");
    bed.CloseManager();
    TTaskBed other;
    EXPECT_EQ(other.OpenManager(dir.File("auto.qtl")).Tasks().Count(), 2);
}
