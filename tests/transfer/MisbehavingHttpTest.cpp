#include "config/Options.h"
#include "core/LogCodes.h"
#include "support/FaultyHttpServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"
#include "transfer/TransferHTTPStream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace {

class MisbehavingHttp : public ::testing::Test {
protected:
    TFaultyHttpServer Server;
    TTaskBed Bed{TBedClock::Real};
    TTempDir Dest;

    // Serves body at path, answered the way shape says, and adds the task that downloads it.
    TTaskItem& AddDownload(const std::string& path, const std::string& body,
                           const std::function<void(TFaultyReply&)>& shape = {})
    {
        TFaultyReply reply;
        reply.Body = body;
        if (shape)
            shape(reply);
        Server.Serve(path, reply);
        return Bed.AddTask(Server.Url(path), Dest.Path().string());
    }
};

} // namespace

TEST_F(MisbehavingHttp, BodyWithoutLengthIsReadFromTheStart)
{
    const std::string bytes = RandomBytes(300000, 1);
    TTaskItem& task = AddDownload("/nolength.bin", bytes, [](TFaultyReply& r) { r.SendLength = false; });
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);
    EXPECT_EQ(task.Size, int64_t(bytes.size()));
    EXPECT_TRUE(TTaskBed::LogHas(task, "sResumeNotSupported"));
    EXPECT_EQ(Server.Requests().size(), 1u);
    // Without Last-Modified the copy keeps its own time.
    EXPECT_TRUE(TTaskBed::LogHas(task, "sGetDateFailed"));
}

TEST_F(MisbehavingHttp, IgnoredRangeStartsTheCopyOverInsteadOfMisplacingData)
{
    const std::string bytes = RandomBytes(100000, 2);
    TTaskItem& task = AddDownload("/norange.bin", bytes, [](TFaultyReply& r) { r.HonourRange = false; });
    WriteFileBytes(task.DestinationFileName(), bytes.substr(0, 40000));
    task.Loaded = 40000;
    task.DestinationCreated = true;
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_TRUE(TTaskBed::LogHas(task, "sRangeIgnored"));
    EXPECT_EQ(task.StartSize, 0);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);
}

TEST_F(MisbehavingHttp, ConnectionCutEveryMegabyteGetsTheFileAMegabyteAnAttempt)
{
    // Each attempt keeps every byte that came before its cut and asks for the rest alone.
    const int64_t cut = 1 << 20;
    const std::string bytes = RandomBytes(4 * (1 << 20) + 5000, 3);
    Options().TaskMaxRetries = 100;
    TTaskItem& task = AddDownload("/cut.bin", bytes, [&](TFaultyReply& r) {
        r.CutAfter = cut;
        r.ETag = "\"v1\"";
    });
    int attempts = 0;
    while (task.State() != stateCompleted && attempts < 10) {
        const int64_t kept = task.Loaded;
        ASSERT_TRUE(Bed.RunOnce(task));
        ++attempts;
        EXPECT_EQ(task.StartSize, kept);
        EXPECT_EQ(int64_t(std::filesystem::file_size(task.DestinationFileName())), task.Loaded);
    }
    EXPECT_EQ(attempts, 5);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);
    // One request per attempt, each for the rest of the same version.
    const std::vector<std::string> requests = Server.Requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].find("Range:"), std::string::npos) << requests[0];
    for (int i = 1; i < 5; ++i) {
        EXPECT_NE(requests[i].find("Range: bytes=" + std::to_string(i * cut) + "-"), std::string::npos) << requests[i];
        EXPECT_NE(requests[i].find("If-Range: \"v1\""), std::string::npos) << requests[i];
    }
}

TEST_F(MisbehavingHttp, SourceChangedBetweenAttemptsIsCopiedAgainFromTheStart)
{
    const int64_t cut = 1 << 20;
    struct TCase {
        const char* Kind;
        std::string ETag[2];
        std::string Modified[2];
        std::size_t NewSize;
    };
    const TCase cases[] = {
        {"etag", {"\"v1\"", "\"v2\""}, {}, 3 << 20},
        {"last-modified", {}, {"Wed, 01 Jan 2020 00:00:00 GMT", "Thu, 02 Jan 2020 00:00:00 GMT"}, 3 << 20},
        // Without validators the size still tells.
        {"size", {}, {}, (3 << 20) + 1000},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Kind);
        const std::string path = std::string("/changing-") + c.Kind;
        const std::string old = RandomBytes(3 << 20, 10);
        const std::string changed = RandomBytes(c.NewSize, 11);
        TTaskItem& task = AddDownload(path, old, [&](TFaultyReply& r) {
            r.CutAfter = cut;
            r.ETag = c.ETag[0];
            r.LastModified = c.Modified[0];
        });
        ASSERT_TRUE(Bed.RunOnce(task));
        ASSERT_EQ(task.State(), stateError);
        ASSERT_EQ(task.Loaded, cut);

        TFaultyReply now;
        now.Body = changed;
        now.ETag = c.ETag[1];
        now.LastModified = c.Modified[1];
        Server.Serve(path, now);
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_TRUE(TTaskBed::LogHas(task, "sSourceChanged"));
        EXPECT_EQ(task.StartSize, 0);
        EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == changed);
    }
}

TEST_F(MisbehavingHttp, ErrorStatusesAreFailuresWithTheStatusLineLogged)
{
    for (const int status : {404, 500}) {
        SCOPED_TRACE(status);
        TTempDir dest;
        const std::string path = "/e" + std::to_string(status);
        TFaultyReply page;
        page.Status = status;
        page.Body = "<html>error page</html>";
        Server.Serve(path, page);
        TTaskItem& task = Bed.AddTask(Server.Url(path), dest.Path().string());
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateError);
        EXPECT_TRUE(TTaskBed::LogHasEntry(task, lcFailureReply, "HTTP/1.1 " + std::to_string(status)));
        EXPECT_TRUE(TTaskBed::LogHas(task, "sHttpStatusFailed"));
        EXPECT_TRUE(std::filesystem::is_empty(dest.Path()));
    }
}

TEST_F(MisbehavingHttp, SlowBodyArrivesWholeAndAStopDoesNotWaitForIt)
{
    const std::string bytes = RandomBytes(20000, 4);
    TTaskItem& task = AddDownload("/slow.bin", bytes, [](TFaultyReply& r) {
        r.SlowChunk = 2000;
        r.SlowDelayMs = 20;
    });
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);

    // A body that would take minutes: the stop ends the worker at once, as a stop.
    TTaskItem& crawling = AddDownload("/crawl.bin", RandomBytes(100000, 5), [](TFaultyReply& r) {
        r.SlowChunk = 100;
        r.SlowDelayMs = 200;
    });
    crawling.Start();
    // Progress moves with what arrives, long before a block is full.
    ASSERT_TRUE(Bed.ServeUntil([&] { return crawling.Loaded > 0; }, std::chrono::seconds(10)));
    EXPECT_LT(crawling.Loaded, int64_t(Options().TaskBufferSize) * 1024);
    crawling.Stop();
    EXPECT_EQ(crawling.State(), stateStopped);
    EXPECT_TRUE(TTaskBed::LogHas(crawling, "sUserCancelDownload"));
}

TEST_F(MisbehavingHttp, StoppedDownloadOfUnknownSizeIsNoCompletion)
{
    TTaskItem& task = AddDownload("/unknown.bin", RandomBytes(100000, 6), [](TFaultyReply& r) {
        r.SendLength = false;
        r.SlowChunk = 1000;
        r.SlowDelayMs = 20;
    });
    task.Start();
    ASSERT_TRUE(Bed.ServeUntil([&] { return task.Loaded > 0; }));
    task.Stop();
    EXPECT_EQ(task.State(), stateStopped);
    EXPECT_EQ(Bed.Shell.Count("Completed:unknown.bin"), 0);
    EXPECT_TRUE(Bed.Records.History.empty());
}

TEST_F(MisbehavingHttp, AnnouncedSizeBeyondFourGigabytesIsReportedWhole)
{
    const int64_t size = int64_t(5) << 30;
    TFaultyReply liar;
    liar.Body = "only a little";
    liar.AnnouncedLength = size;
    Server.Serve("/huge.bin", liar);
    TTransferHTTPStream stream(Server.Url("/huge.bin"), "", "", {});
    stream.OpenSession();
    stream.OpenConnection();
    stream.OpenRead();
    EXPECT_EQ(stream.GetSize(), size);
    EXPECT_TRUE(stream.CanResume());
    stream.Close();
    stream.CloseConnection();
    stream.CloseSession();
}
