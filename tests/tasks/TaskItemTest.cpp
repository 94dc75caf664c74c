#include "config/Options.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"

#include <gtest/gtest.h>

TEST(TaskItemTest, NewTaskReadsUnknownSizeAndNoProgress)
{
    TTaskBed bed;
    TTaskItem& task = bed.AddTask("/src/a.bin", "/dst");
    EXPECT_EQ(task.Size, -1);
    EXPECT_EQ(task.Percent(), 0);
    EXPECT_EQ(task.Speed(), 0u);
    EXPECT_EQ(task.Left(), 0u);
    EXPECT_EQ(task.Elapsed(), 0u);
    EXPECT_EQ(task.State(), stateWait);
    EXPECT_EQ(task.TrafficPriority, tpMiddlePriority);
}

TEST(TaskItemTest, PercentRoundsHalvesToEven)
{
    struct Case {
        int64_t Loaded, Size;
        int Percent;
    };
    for (const Case& c : {Case{150, 100, 150}, Case{1, 8, 12}, Case{3, 8, 38}, Case{5, 8, 62}, Case{7, 8, 88},
                          Case{10, -1, 0}, Case{10, 0, 0}, Case{0, 100, 0}}) {
        TTaskBed bed;
        TTaskItem& task = bed.AddTask("/a", "/b");
        task.Loaded = c.Loaded;
        task.Size = c.Size;
        EXPECT_EQ(task.Percent(), c.Percent) << c.Loaded << "/" << c.Size;
    }
}

TEST(TaskItemTest, NameIsStoredOrDerivedFromTheSource)
{
    struct Case {
        const char* Source;
        const char* Stored;
        const char* Name;
    };
    for (const Case& c : {Case{"ftp://host/pub/a.zip", "", "a.zip"}, Case{"ftp://host/pub/dir/", "", "dir"},
                          Case{"\\\\srv\\share\\d\\f.txt", "", "f.txt"}, Case{"/home/u/f.txt", "g.txt", "g.txt"},
                          Case{"https://h/K%C3%B6ln%20a.bin?token=a%20b", "", "Köln a.bin"}}) {
        TTaskBed bed;
        TTaskItem& task = bed.AddTask(c.Source, "/dst");
        task.SetName(c.Stored);
        EXPECT_EQ(task.Name(), c.Name) << c.Source;
        EXPECT_EQ(task.StoredName(), c.Stored);
        EXPECT_EQ(task.DestinationFileName(), std::string("/dst/") + c.Name);
    }
}

TEST(TaskItemTest, TemporaryPauseCountsDownAndExpires)
{
    TTaskBed bed;
    TTaskItem& task = bed.AddTask("/a", "/b", stateStopped);
    task.PauseTemporarily(1);
    EXPECT_EQ(task.State(), stateTemporaryPaused);
    EXPECT_EQ(task.Left(), 60000u);
    EXPECT_EQ(task.Elapsed(), 0u);
    EXPECT_FALSE(task.TemporaryPauseExpired());
    bed.Clock.Advance(59999);
    EXPECT_EQ(task.Elapsed(), 59999u);
    EXPECT_EQ(task.Left(), 1u);
    EXPECT_FALSE(task.TemporaryPauseExpired());
    bed.Clock.Advance(1);
    EXPECT_TRUE(task.TemporaryPauseExpired());

    // A clock set back by more than the pause counts as time passed too.
    task.PauseTemporarily(1);
    bed.Clock.Date.Value -= 2.0 / 1440;
    EXPECT_TRUE(task.TemporaryPauseExpired());
}

TEST(TaskItemTest, StateChangesOfTheUserCommands)
{
    struct Case {
        TTaskState Before;
        void (*Command)(TTaskItem&);
        TTaskState After;
        int64_t LoadedAfter;
    };
    const Case cases[] = {
        {stateCompleted, [](TTaskItem& t) { t.Enqueue(); }, stateWait, 50},
        {stateStarted, [](TTaskItem& t) { t.Enqueue(); }, stateStarted, 50},
        {stateErrorStopped, [](TTaskItem& t) { t.Enqueue(); }, stateWait, 50},
        {stateStopped, [](TTaskItem& t) { t.Restart(); }, stateWait, 0},
        {stateError, [](TTaskItem& t) { t.Restart(); }, stateWait, 0},
        {stateWait, [](TTaskItem& t) { t.Stop(); }, stateStopped, 50},
        {stateScheduled, [](TTaskItem& t) { t.Stop(); }, stateStopped, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Before) + " -> " + std::to_string(c.After));
        TTaskBed bed;
        TTaskItem& task = bed.AddTask("/a", "/b", c.Before);
        task.Loaded = 50;
        task.Retry = 3;
        task.PauseTemporaryRetries = 2;
        task.StartTime = 77;
        c.Command(task);
        EXPECT_EQ(task.State(), c.After);
        EXPECT_EQ(task.Loaded, c.LoadedAfter);
        if (c.After == stateWait) {
            EXPECT_EQ(task.Retry, 0u);
            EXPECT_EQ(task.PauseTemporaryRetries, 0);
        }
        if (c.After == stateStopped) {
            EXPECT_EQ(task.StartTime, 0u);
        }
        EXPECT_FALSE(task.IsRunning());
    }
}

TEST(TaskItemTest, CompletingStampsTheTimeOfEachWrite)
{
    TTaskBed bed;
    TTaskItem& task = bed.AddTask("/a", "/b");
    task.SetState(stateCompleted);
    const TDateTime first = task.TimeCompleted;
    EXPECT_EQ(first, bed.Clock.Date);
    bed.Clock.Advance(5000);
    task.SetState(stateCompleted);
    EXPECT_GT(task.TimeCompleted, first);
    task.SetState(stateWait);
    EXPECT_GT(task.TimeCompleted, first);  // only completion stamps it
}

TEST(TaskItemTest, FtpModeFollowsTheOptionAndTheExtensionList)
{
    struct Case {
        int Mode;
        const char* Source;
        TFTPDownloadMode Expected;
    };
    for (const Case& c : {Case{0, "ftp://h/a.txt", hmBinary}, Case{1, "ftp://h/a.zip", hmAscii},
                          Case{2, "ftp://h/a.HTML", hmAscii}, Case{2, "ftp://h/a.zip", hmBinary},
                          Case{7, "ftp://h/a.txt", hmBinary}}) {
        TTaskBed bed;
        Options().iFTPMode = c.Mode;
        TTaskItem& task = bed.AddTask(c.Source, "/b");
        EXPECT_EQ(task.FTPMode(), c.Expected) << c.Mode << " " << c.Source;
    }
}

TEST(TaskItemTest, DeletingTheDestinationReportsWhatCannotBeDeleted)
{
    TTaskBed bed;
    TTempDir dir;
    WriteFileBytes(dir.File("done.bin"), "data");
    TTaskItem& local = bed.AddTask("/src/done.bin", dir.Path().string());
    local.DeleteDestinationFile();
    EXPECT_FALSE(std::filesystem::exists(dir.File("done.bin")));
    EXPECT_TRUE(bed.Dialogs.Asked.empty());

    struct Case {
        const char* Destination;
        std::size_t Boxes;
    };
    for (const Case& c : {Case{"ftp://host/incoming/", 1}, Case{"http://host/x/", 1}, Case{"relative/dir", 0},
                          Case{"/no/such/folder", 1}}) {
        bed.Dialogs.Asked.clear();
        TTaskItem& task = bed.AddTask("/src/f.bin", c.Destination);
        task.DeleteDestinationFile();
        EXPECT_EQ(bed.Dialogs.Asked.size(), c.Boxes) << c.Destination;
    }
}

TEST(TaskItemTest, SpeedsAndTimesDoNotWrapAt32Bits)
{
    constexpr int64_t GiB = int64_t(1) << 30;
    struct Running {
        int64_t Size, Loaded;
        uint64_t Speed, Left;
    };
    // One second into a run that started from nothing.
    for (const Running& c : {Running{4 * GiB, GiB, 8 * uint64_t(GiB), 3000},  // beyond 2^32 bit/s
                             Running{100, 150, 1200, 0},                      // more than the known size came
                             Running{-1, 1000, 8000, 0},                      // unknown size
                             Running{int64_t(1e12), 1, 8, uint64_t(999999999999000)}}) {  // beyond 2^32 ms
        SCOPED_TRACE(std::to_string(c.Size) + "/" + std::to_string(c.Loaded));
        TTaskBed bed;
        TTempDir dir;
        WriteFileBytes(dir.File("a"), "old");
        TTaskItem& task = bed.AddTask("/missing/a", dir.Path().string());
        task.Start();  // its worker waits at the existing-file question, asked on this thread
        bed.Dialogs.ExistingFileAnswers = {{.Confirmed = false}};
        task.Size = c.Size;
        task.Loaded = c.Loaded;
        task.StartTime = bed.Clock.Tick;
        bed.Clock.Advance(1000);
        EXPECT_EQ(task.Speed(), c.Speed);
        EXPECT_EQ(task.Left(), c.Left);
        ASSERT_TRUE(bed.WaitForWorker(task));
    }

    struct Paused {
        int Minutes;
        int64_t Passed;  // milliseconds
        bool Expired;
        uint64_t Left;
    };
    // 36000 minutes are beyond 2^31 milliseconds, 100000 beyond 2^32.
    for (const Paused& c : {Paused{36000, 0, false, 2160000000}, Paused{36000, 2159999999, false, 1},
                            Paused{36000, 2160000000, true, 0}, Paused{100000, 5000000000, false, 1000000000}}) {
        SCOPED_TRACE(std::to_string(c.Minutes) + " min after " + std::to_string(c.Passed) + " ms");
        TTaskBed bed;
        TTaskItem& task = bed.AddTask("/a", "/b", stateStopped);
        task.PauseTemporarily(c.Minutes);
        bed.Clock.Date.Value += double(c.Passed) / kMillisecondsPerDay;
        EXPECT_EQ(task.TemporaryPauseExpired(), c.Expired);
        EXPECT_EQ(task.Left(), c.Left);
        EXPECT_EQ(task.Elapsed(), uint64_t(c.Passed));
    }
}
