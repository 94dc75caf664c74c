#include "config/Options.h"
#include "core/LogCodes.h"
#include "support/FaultyHttpServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"
#include "transfer/TransferHTTPStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

class MisbehavingHttp : public ::testing::Test {
protected:
    TFaultyHttpServer Server;
    TTaskBed Bed{true};
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

TEST_F(MisbehavingHttp, CutBodyFailsTheAttemptAndTheRetryResumes)
{
    // Cut late enough that the worker has reported some progress by then.
    const std::string bytes = RandomBytes(16 << 20, 3);
    Options().TaskReserveSpace = false;
    TTaskItem& task = AddDownload("/cut.bin", bytes, [](TFaultyReply& r) { r.CutAfterOnce = 12 << 20; });
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateError);
    const int64_t kept = task.Loaded;
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, int64_t(bytes.size()));
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.StartSize, kept);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);
    const std::vector<std::string> requests = Server.Requests();
    EXPECT_NE(requests.back().find("Range: bytes=" + std::to_string(kept) + "-"), std::string::npos);
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
    ASSERT_TRUE(Bed.ServeUntil([&] { return crawling.Loaded > 0 || TTaskBed::LogHas(crawling, "sStartPosition"); }));
    crawling.Stop();
    EXPECT_EQ(crawling.State(), stateStopped);
    EXPECT_TRUE(TTaskBed::LogHas(crawling, "sUserCancelDownload"));
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
