#include "RecordBed.h"

#include "support/TempDir.h"
#include "tasks/TaskItem.h"

#include <gtest/gtest.h>

#include <filesystem>

// A real copy lands in "history.xml"; a task deleted unfinished lands in "recyclebin.xml"
// and, as an unfinished copy, at the top of the history.
TEST(RecordedTasksTest, CompletedAndDeletedTasksReachTheirFiles)
{
    TTaskBed bed(TBedClock::Real);
    TScriptedRecordDialogs dialogs;
    TRecordingAdding adding;
    TRecordEnvironment records{bed.Boxes, bed.SystemClock, bed.Shell, bed.Dialogs, dialogs, bed.Desktop, adding};
    TTempDir dir;
    THistoryManager history(records, dir.File("history.xml"));
    TRecycleBinManager bin(records, dir.File("recyclebin.xml"));
    TTaskEnvironment tasks{bed.MainThread, bed.SystemClock, bed.Shell,       bed.Dialogs, bed.Desktop,
                           bed.Boxes,      bed.RoutedHosts, history,         bin};
    std::filesystem::create_directories(dir.Path() / "out");
    WriteFileBytes(dir.Path() / "copy.bin", RandomBytes(100000));
    {
        TManagerTask manager(tasks, {});
        TTaskItem& copy = manager.AddTask();
        copy.Source = dir.File("copy.bin");
        copy.Destination = dir.File("out");
        ASSERT_TRUE(bed.RunOnce(copy));
        TTaskItem& never = manager.AddTask();
        never.Source = "/nowhere/never.bin";
        never.SetState(stateStopped);
        manager.Rows().Select(manager.Rows().IndexOf(&never));
        manager.DeleteTasks(true);
    }
    ASSERT_TRUE(history.SaveToFile({}));
    ASSERT_TRUE(bin.SaveToFile({}));

    THistoryManager historyAgain(records, dir.File("history.xml"));
    EXPECT_EQ(RowNames(historyAgain.Rows()), "never.bin copy.bin");
    const THistoryItem& done = historyAgain.History()[1];
    EXPECT_EQ(done.Size, 100000);
    EXPECT_GE(done.TimeCompleted, done.TimeCreated);
    EXPECT_EQ(ReadFileBytes(done.FileName()), ReadFileBytes(dir.Path() / "copy.bin"));
    TRecycleBinManager binAgain(records, dir.File("recyclebin.xml"));
    EXPECT_EQ(RowNames(binAgain.Rows()), "never.bin");
    EXPECT_GE(binAgain.RecycleBin()[0].TimeDeleted, done.TimeCompleted);
}
