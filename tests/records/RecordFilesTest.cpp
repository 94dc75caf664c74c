#include "RecordBed.h"

#include "config/Options.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <tuple>
#include <sys/stat.h>

namespace {

class RecordFilesTest : public ::testing::Test {
protected:
    TRecordBed Bed;
    TTempDir Dir;
    std::string HistoryFile = Dir.File("history.xml");
    std::string BinFile = Dir.File("recyclebin.xml");
};

} // namespace

TEST_F(RecordFilesTest, HistoryRoundTripKeepsTheNewestFirstAndEveryValue)
{
    TTaskRecord big = Bed.Record("big.iso", 0.25, int64_t(5) << 30);
    big.TimeDownloaded = 4000000000u;  // above 2^31: written unsigned
    {
        THistoryManager history(Bed.Environment, HistoryFile);
        history.AddToHistory(Bed.Record("a", 1));
        history.AddToHistory(big);
        ASSERT_TRUE(history.SaveToFile({}));
    }
    const std::string text = ReadFileBytes(HistoryFile);
    EXPECT_NE(text.find("<TaskHistory>\n  <TaskHistory>\n    <Name>big.iso</Name>\n    <Source>/src/big.iso</Source>\n"
                        "    <Destination>/dst/big.iso</Destination>\n    <Size>5368709120</Size>\n    <TimeCreated>"),
              std::string::npos)
        << text;
    struct stat info{};
    ASSERT_EQ(stat(HistoryFile.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // links may hold passwords

    THistoryManager again(Bed.Environment, HistoryFile);
    EXPECT_EQ(RowNames(again.Rows()), "big.iso a");
    const THistoryItem& item = again.History()[0];
    EXPECT_EQ(std::tie(item.Source, item.Destination, item.Size, item.TimeDownloaded),
              std::tie(big.Source, big.Destination, big.Size, big.TimeDownloaded));
    EXPECT_NEAR(item.TimeCompleted.Value, big.TimeCompleted.Value, 1e-9);
    EXPECT_NEAR(item.TimeCreated.Value, big.TimeCreated.Value, 1e-9);
}

TEST_F(RecordFilesTest, MissingAndMalformedElementsReadAsEmptyOrZero)
{
    WriteFileBytes(HistoryFile, "<TaskHistory><Any><Source>\\\\srv\\share\\folder\\</Source><Size>lots</Size>"
                                "<TimeCompleted>yesterday</TimeCompleted><Unknown/></Any>"
                                "<TaskHistory><Source>http://h/a%20b.iso?t=1</Source><Size>7</Size></TaskHistory>"
                                "</TaskHistory>");
    Options().bHistoryTimeMax = false;  // the dates of 0 would be dropped as too old
    THistoryManager history(Bed.Environment, HistoryFile);
    ASSERT_EQ(history.History().Count(), 2);
    const THistoryItem& folder = history.History()[0];
    EXPECT_EQ(folder.Name(), "folder");  // a source ending in a delimiter names its folder
    EXPECT_EQ(folder.Size, 0);
    EXPECT_EQ(folder.TimeCompleted, TDateTime{});
    EXPECT_EQ(history.History()[1].Name(), "a b.iso");  // named as its copy was

    // The deletion time is read from, and written to, "TemeDeleted" alone.
    WriteFileBytes(BinFile, "<RecycleBin><RecycleBin><TimeDeleted>45000</TimeDeleted></RecycleBin>"
                            "<RecycleBin><TemeDeleted>45001.5</TemeDeleted></RecycleBin></RecycleBin>");
    TRecycleBinManager bin(Bed.Environment, BinFile);
    ASSERT_EQ(bin.RecycleBin().Count(), 2);
    EXPECT_EQ(bin.RecycleBin()[0].TimeDeleted, TDateTime{});
    EXPECT_EQ(bin.RecycleBin()[1].TimeDeleted, TDateTime{45001.5});
    ASSERT_TRUE(bin.SaveToFile({}));
    EXPECT_EQ(ReadFileBytes(BinFile).find("<TimeDeleted>"), std::string::npos);

    // The scheduler keeps names only.
    const std::string file = Dir.File("scheduler.xml");
    WriteFileBytes(file, "<Scheduler><ScheduledTask><Name>nightly</Name><Enabled>False</Enabled>"
                         "<TimeNext>45000</TimeNext></ScheduledTask></Scheduler>");
    TSchedulerManager scheduler(Bed.Environment, file);
    ASSERT_EQ(scheduler.Rows().Count(), 1);
    EXPECT_TRUE(scheduler.Scheduler()[0].Enabled);
    EXPECT_EQ(scheduler.Scheduler()[0].TimeNext, TDateTime{});
    ASSERT_TRUE(scheduler.SaveToFile({}));
    EXPECT_EQ(ReadFileBytes(file), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Scheduler>\n  <ScheduledTask>\n"
                                   "    <Name>nightly</Name>\n  </ScheduledTask>\n</Scheduler>\n");
    EXPECT_TRUE(Bed.Tasks.Boxes.Shown.empty());
}

TEST_F(RecordFilesTest, LimitsDropTheOldestRecordsAfterAddingAndAfterLoading)
{
    struct TCase {
        const char* Stored;     // oldest first, one a day, the last one a day ago
        int Lines;              // HistoryLineMax; 0: no line limit
        int Days;               // HistoryTimeMax; 0: no age limit
        const char* Added;      // added after the load
        const char* Expected;   // newest first
    };
    const TCase cases[] = {
        {"abc", 3, 0, "d", "dcb"},   // adding drops the oldest
        {"abcd", 2, 0, "", "dc"},    // and so does a lowered limit at the next start
        {"abcd", 0, 0, "", "dcba"},
        {"abcde", 0, 2, "", "ed"},   // older than two whole days
        {"abcde", 3, 4, "", "edc"},  // both limits
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Stored + std::to_string(c.Lines) + std::to_string(c.Days));
        std::filesystem::remove(HistoryFile);
        Options() = TOptions{};
        Options().bHistoryTimeMax = false;
        {
            THistoryManager history(Bed.Environment, HistoryFile);
            const int count = int(std::strlen(c.Stored));
            for (int i = 0; i < count; ++i)
                history.AddToHistory(Bed.Record(std::string(1, c.Stored[i]), count - i));
            ASSERT_TRUE(history.SaveToFile({}));
        }
        Options().bHistoryLineMax = c.Lines > 0;
        Options().HistoryLineMax = c.Lines;
        Options().bHistoryTimeMax = c.Days > 0;
        Options().HistoryTimeMax = c.Days;
        THistoryManager history(Bed.Environment, HistoryFile);
        for (const char* name = c.Added; *name; ++name)
            history.AddToHistory(Bed.Record(std::string(1, *name)));
        std::string names = RowNames(history.Rows());
        std::erase(names, ' ');
        EXPECT_EQ(names, c.Expected);
        EXPECT_EQ(history.History().Count(), int(names.size()));
    }

    // The recycle bin's limit works the same way.
    Options() = TOptions{};
    {
        TRecycleBinManager bin(Bed.Environment, BinFile);
        for (const char* name : {"a", "b", "c"})
            bin.AddToRecycleBin(Bed.Record(name));
        ASSERT_TRUE(bin.SaveToFile({}));
    }
    Options().iRecycleBinLineMax = 2;
    TRecycleBinManager bin(Bed.Environment, BinFile);
    EXPECT_EQ(RowNames(bin.Rows()), "c b");
    bin.AddToRecycleBin(Bed.Record("d"));
    EXPECT_EQ(RowNames(bin.Rows()), "d c");
}
