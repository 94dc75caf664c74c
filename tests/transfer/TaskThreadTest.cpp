#include "CutReads.h"

#include "config/Options.h"
#include "core/LogCodes.h"
#include "core/MessageCatalogue.h"
#include "core/QuorvexError.h"
#include "support/SambaServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"
#include "tasks/TaskThread.h"
#include "transfer/StreamFactory.h"
#include "transfer/TrafficCounter.h"
#include "transfer/TransferFileStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

class TaskThreadTest : public ::testing::Test {
protected:
    TTaskBed Bed{TBedClock::Real};
    TTempDir Dir;
    std::string SourceDir = Dir.File("src");
    std::string DestDir = Dir.File("dst");

    void SetUp() override
    {
        fs::create_directories(SourceDir);
        fs::create_directories(DestDir);
    }
    TTaskItem& AddCopy(const std::string& name, const std::string& bytes)
    {
        WriteFileBytes(SourceDir + "/" + name, bytes);
        return Bed.AddTask(SourceDir + "/" + name, DestDir);
    }
};

} // namespace

TEST_F(TaskThreadTest, CopiesFilesOfBoundarySizesByteForByte)
{
    const int64_t buffer = int64_t(Options().TaskBufferSize) * 1024;
    // Local files copy inside the kernel, several MiB at a time: the count must still be exact.
    for (int64_t size : {int64_t(0), int64_t(1), buffer - 1, buffer, buffer + 1, 3 * buffer + 5, int64_t(9 << 20) + 7}) {
        SCOPED_TRACE(size);
        const std::string bytes = RandomBytes(std::size_t(size), unsigned(size));
        TTaskItem& task = AddCopy("f" + std::to_string(size) + ".bin", bytes);
        const int64_t trafficBefore = TrafficCounter().Value();
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_EQ(ReadFileBytes(task.DestinationFileName()), bytes);
        EXPECT_EQ(task.Loaded, size);
        EXPECT_EQ(task.Size, size);
        EXPECT_EQ(task.Retry, 1u);
        EXPECT_EQ(TrafficCounter().Value() - trafficBefore, size);
        EXPECT_TRUE(TTaskBed::LogHas(task, "sStartPosition"));
        // What one block writes is not reserved first.
        EXPECT_EQ(TTaskBed::LogHas(task, "sReserveSpace"), size > buffer);
    }
    EXPECT_EQ(Bed.Records.History.size(), 7u);
    EXPECT_EQ(Bed.Manager().RunningWorkers().Value(), 0);
}

TEST_F(TaskThreadTest, StopKeepsCopiedBytesAndTheNextStartResumes)
{
    const std::string bytes = RandomBytes(200u << 20);
    TTaskItem& task = AddCopy("big.bin", bytes);
    Options().TaskReserveSpace = false;  // the partial copy is only as long as its data
    task.Start();
    ASSERT_TRUE(Bed.ServeUntil([&] { return task.Loaded > (8 << 20); }));
    task.Stop();
    EXPECT_EQ(task.State(), stateStopped);
    ASSERT_GT(task.Loaded, 0);
    ASSERT_LT(task.Loaded, int64_t(bytes.size()));
    EXPECT_TRUE(TTaskBed::LogHas(task, "sUserCancelDownload"));
    const std::string partial = ReadFileBytes(task.DestinationFileName());
    EXPECT_EQ(partial.substr(0, std::size_t(task.Loaded)), bytes.substr(0, std::size_t(task.Loaded)));

    // The overwrite default is for files found at the destination, never for the copy begun.
    Options().AlraedyInDiskWhatToDo = efOverwrite;
    const int64_t stoppedAt = task.Loaded;
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.StartSize, stoppedAt);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);
}

TEST_F(TaskThreadTest, ExistingDestinationIsHandledByTheDecision)
{
    const std::string source = RandomBytes(100000);
    struct Case {
        TExistingFileDecision Decision;
        std::string Existing;
        bool Reserve;
        std::string FinalName;      // file that receives the copy
        TTaskState State;
        const char* LogId;
        bool SourceResumes = true;
    };
    const std::string longer = RandomBytes(150000, 3);
    const Case cases[] = {
        {efRename, "old", true, "f[1].bin", stateCompleted, "sDestinationRenamed"},
        {efOverwrite, longer, false, "f.bin", stateCompleted, "sDestinationOverWrited"},
        {efOverwrite, longer, true, "f.bin", stateCompleted, "sDestinationOverWrited"},
        {efAddTo, source.substr(0, 40000), false, "f.bin", stateCompleted, "sDestinationAdded"},
        {efAddTo, source.substr(0, 40000), true, "f.bin", stateCompleted, "sDestinationAdded"},
        {efAddTo, source, false, "f.bin", stateCompleted, "sNotAddedToDownload"},
        // A longer file is no part of the source, and a copy from 0 leaves no old tail.
        {efAddTo, longer, true, "f.bin", stateCompleted, "sDestinationLongerThanSource"},
        {efAddTo, longer, false, "f.bin", stateCompleted, "sResumeNotSupported", false},
        {efStop, "old", true, "", stateErrorStopped, "sDownloadStoppedDestinationExist"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Decision) + " " + c.LogId + (c.Reserve ? " reserve" : ""));
        TTempDir dir;
        WriteFileBytes(dir.File("f.bin"), c.Existing);
        WriteFileBytes(SourceDir + "/f.bin", source);
        Options().AlraedyInDiskWhatToDo = c.Decision;
        Options().TaskReserveSpace = c.Reserve;
        TTaskItem& task = Bed.AddTask(SourceDir + "/f.bin", dir.Path().string());
        TStreamFactory previous;
        if (!c.SourceResumes)
            previous = SetStreamFactory(ltFile, [](const std::string& link, const std::string& user,
                                              const std::string& password, const TStreamSettings&) {
                struct TNoResume : TTransferFileStream {
                    using TTransferFileStream::TTransferFileStream;
                    bool CanResume() override { return Direction() == 1; }
                };
                return std::make_unique<TNoResume>(link, user, password);
            });
        ASSERT_TRUE(Bed.RunOnce(task));
        if (previous)
            SetStreamFactory(ltFile, previous);
        EXPECT_EQ(task.State(), c.State);
        EXPECT_TRUE(TTaskBed::LogHas(task, c.LogId));
        if (c.FinalName.empty()) {
            EXPECT_EQ(task.Retry, 1u);
            EXPECT_EQ(Bed.Shell.Count("Error:f.bin"), 1);
            EXPECT_EQ(ReadFileBytes(dir.File("f.bin")), c.Existing);
            continue;
        }
        EXPECT_EQ(task.Name(), c.FinalName);
        EXPECT_TRUE(ReadFileBytes(dir.File(c.FinalName)) == source);
        if (c.Decision == efRename) {
            EXPECT_EQ(ReadFileBytes(dir.File("f.bin")), c.Existing);
        }
    }
}

TEST_F(TaskThreadTest, InterruptedCopyWithReservedSpaceIsAddedToWithoutAHole)
{
    const int64_t cut = 1 << 20;
    const std::string bytes = RandomBytes(3 << 20, 30);
    TTaskItem& first = AddCopy("r.bin", bytes);
    {
        TCutReads<TTransferFileStream> cutting(ltFile, cut);
        ASSERT_TRUE(Bed.RunOnce(first));
    }
    ASSERT_EQ(first.State(), stateError);
    ASSERT_EQ(first.Loaded, cut);
    EXPECT_TRUE(TTaskBed::LogHas(first, "sReserveSpace"));
    // The reservation left the length telling where the data ends.
    EXPECT_EQ(fs::file_size(first.DestinationFileName()), uint64_t(cut));

    // A new run finds the partial file and is told to add to it.
    Options().AlraedyInDiskWhatToDo = efAddTo;
    TTaskItem& again = Bed.AddTask(SourceDir + "/r.bin", DestDir);
    ASSERT_TRUE(Bed.RunOnce(again));
    EXPECT_EQ(again.State(), stateCompleted);
    EXPECT_EQ(again.StartSize, cut);
    EXPECT_TRUE(ReadFileBytes(again.DestinationFileName()) == bytes);
}

TEST_F(TaskThreadTest, ResumeKeepsOnlyTheDataTheDestinationHolds)
{
    // What a run killed at any moment leaves: its count and its file disagree.
    const std::string source = RandomBytes(70000, 31);
    struct Case {
        int64_t Loaded;
        std::string Existing;
        int64_t StartSize;
    };
    const Case cases[] = {
        {60000, source.substr(0, 40000), 40000},                        // counted more than it wrote
        {30000, source.substr(0, 50000), 30000},                        // wrote more than it counted
        {30000, source.substr(0, 30000) + RandomBytes(70000, 32), 30000},  // longer than the source
    };
    WriteFileBytes(SourceDir + "/k.bin", source);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Loaded) + " of " + std::to_string(c.Existing.size()));
        TTempDir dir;
        WriteFileBytes(dir.File("k.bin"), c.Existing);
        TTaskItem& task = Bed.AddTask(SourceDir + "/k.bin", dir.Path().string());
        task.Loaded = c.Loaded;
        task.DestinationCreated = true;
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_EQ(task.StartSize, c.StartSize);
        EXPECT_TRUE(ReadFileBytes(dir.File("k.bin")) == source);
    }
}

TEST_F(TaskThreadTest, AskedDecisionRenamesToTheEditedNameOrStopsOnCancel)
{
    Options().AlraedyInDiskWhatToDo = efAsk;
    const std::string source = RandomBytes(5000);
    WriteFileBytes(DestDir + "/a.txt", "old");
    TTaskItem& renamed = AddCopy("a.txt", source);
    Bed.Dialogs.ExistingFileAnswers.push_back({.Decision = efRename, .Name = "edited.txt", .Remember = true});
    ASSERT_TRUE(Bed.RunOnce(renamed));
    EXPECT_EQ(Bed.Dialogs.ProposedNames.at(0), "a[1].txt");
    EXPECT_EQ(renamed.Name(), "edited.txt");
    EXPECT_TRUE(ReadFileBytes(DestDir + "/edited.txt") == source);
    EXPECT_EQ(Options().AlraedyInDiskWhatToDo, efRename);  // remembered

    Options().AlraedyInDiskWhatToDo = efAsk;
    TTaskItem& cancelled = Bed.AddTask(SourceDir + "/a.txt", DestDir);
    Bed.Dialogs.ExistingFileAnswers.push_back({.Confirmed = false});
    ASSERT_TRUE(Bed.RunOnce(cancelled));
    EXPECT_EQ(cancelled.State(), stateErrorStopped);
    EXPECT_EQ(ReadFileBytes(DestDir + "/a.txt"), "old");
}

TEST_F(TaskThreadTest, ARunKeepsTheTaskLogWithinTheLineLimit)
{
    Options().TaskLogLineMax = 3;
    TTaskItem& task = AddCopy("l.bin", "data");
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.Log.Count(), 3);
}

TEST_F(TaskThreadTest, VanishedDestinationIsWrittenAgainFromTheStart)
{
    const std::string source = RandomBytes(70000);
    TTaskItem& task = AddCopy("v.bin", source);
    task.DestinationCreated = true;
    task.Loaded = 30000;
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_TRUE(TTaskBed::LogHas(task, "sDestinationNotExists"));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == source);
}

TEST_F(TaskThreadTest, SourceThatEndsBeforeItsSizeIsAFailedAttempt)
{
    // A source that announces more bytes than it delivers, like a cut connection.
    class TShortFileStream : public TTransferFileStream {
    public:
        using TTransferFileStream::TTransferFileStream;

    protected:
        int64_t DoGetSize() override { return TTransferFileStream::DoGetSize() + 100; }
    };
    TStreamFactory previous = SetStreamFactory(ltFile, [](const std::string& link, const std::string& user,
                                                     const std::string& password, const TStreamSettings&) {
        return std::make_unique<TShortFileStream>(link, user, password);
    });
    TTaskItem& task = AddCopy("short.bin", RandomBytes(1000));
    ASSERT_TRUE(Bed.RunOnce(task));
    SetStreamFactory(ltFile, previous);
    EXPECT_EQ(task.State(), stateError);
    EXPECT_TRUE(TTaskBed::LogHas(task, "sSourceEndedEarly"));
    EXPECT_TRUE(TTaskBed::LogHas(task, "sWaitBeforeRetry"));
    // The failed attempt still counts what it wrote, so that the retry resumes there.
    EXPECT_EQ(task.Loaded, 1000);
    EXPECT_EQ(task.Size, 1100);
}

TEST_F(TaskThreadTest, DestinationThatFailsToCloseIsNoCompleteCopy)
{
    // Like an upload that the server does not confirm at its end.
    class TUnconfirmedStream : public TTransferFileStream {
    public:
        using TTransferFileStream::TTransferFileStream;

    protected:
        void DoClose() override
        {
            TTransferFileStream::DoClose();
            if (Direction() == 1)
                throw QuorvexError("not confirmed");
        }
    };
    TStreamFactory previous = SetStreamFactory(ltFile, [](const std::string& link, const std::string& user,
                                                     const std::string& password, const TStreamSettings&) {
        return std::make_unique<TUnconfirmedStream>(link, user, password);
    });
    TTaskItem& task = AddCopy("unconfirmed.bin", RandomBytes(1000));
    ASSERT_TRUE(Bed.RunOnce(task));
    SetStreamFactory(ltFile, previous);
    EXPECT_EQ(task.State(), stateError);
    EXPECT_TRUE(TTaskBed::LogHas(task, "sStreamCloseFailed"));
    for (const std::string& call : Bed.Shell.Calls)
        EXPECT_NE(call.rfind("Completed:", 0), 0u) << call;
}

TEST(TaskThreadOutcomeTest, FailedAttemptsFollowTheRetryRules)
{
    struct Case {
        int MaxRetries;
        uint32_t RetryBefore;
        int PausesBefore;
        bool PauseOption;
        bool MoveDown;
        TTaskState State;
        uint32_t RetryAfter;
        int PausesAfter;
        const char* ShellCall;   // "" for none
        bool MovedToEnd;
    };
    const Case cases[] = {
        {5, 3, 0, true, false, stateError, 4, 0, "", false},
        {5, 4, 0, true, false, stateTemporaryPaused, 0, 1, "PausedAfterError:missing", false},
        {5, 4, 0, true, true, stateTemporaryPaused, 0, 1, "PausedAfterError:missing", true},
        {0, 0, 0, true, false, stateTemporaryPaused, 0, 1, "PausedAfterError:missing", false},
        {5, 4, 100, true, false, stateErrorStopped, 5, 100, "Error:missing", false},
        {5, 4, 3, false, true, stateWait, 0, 4, "", true},
        {5, 4, 3, false, false, stateErrorStopped, 5, 3, "Error:missing", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.MaxRetries) + "/" + std::to_string(c.RetryBefore) + "/" +
                     std::to_string(c.PausesBefore));
        TTaskBed bed;
        TTempDir dir;
        Options().TaskMaxRetries = c.MaxRetries;
        Options().bTaskErrorPauseTempTimeout = c.PauseOption;
        Options().bTaskErrorMoveDown = c.MoveDown;
        TTaskItem& task = bed.AddTask(dir.File("missing"), dir.Path().string());
        bed.AddTask(dir.File("other"), dir.Path().string(), stateStopped);
        task.Retry = c.RetryBefore;
        task.PauseTemporaryRetries = c.PausesBefore;
        ASSERT_TRUE(bed.RunOnce(task));
        EXPECT_EQ(task.State(), c.State);
        EXPECT_EQ(task.Retry, c.RetryAfter);
        EXPECT_EQ(task.PauseTemporaryRetries, c.PausesAfter);
        EXPECT_EQ(task.ErrorTime, bed.Clock.Tick);
        EXPECT_EQ(task.Index(), c.MovedToEnd ? 1 : 0);
        if (*c.ShellCall) {
            EXPECT_EQ(bed.Shell.Count(c.ShellCall), 1);
        }
        if (c.State == stateTemporaryPaused) {
            EXPECT_EQ(task.PauseTemporaryTimeout, Options().iTaskErrorPauseTempTimeout);
            EXPECT_EQ(task.PauseTemporaryStart, bed.Clock.Date);
        }
    }
}

TEST(TaskThreadOutcomeTest, UnknownLinkTypeFailsWithTheLinkInTheLog)
{
    TTaskBed bed;
    TTempDir dir;
    SetMessageText("sInvalidLinkType", "Invalid link %s");
    TTaskItem& task = bed.AddTask("gopher://host/file", dir.Path().string());
    ASSERT_TRUE(bed.RunOnce(task));
    ClearMessageTexts();
    EXPECT_EQ(task.State(), stateError);
    EXPECT_TRUE(TTaskBed::LogHas(task, "Invalid link gopher://host/file"));
}

TEST(TaskThreadOutcomeTest, MalformedLinkStopsWithItsReasonAndNoRetry)
{
    TTaskBed bed;
    TTempDir dir;
    TTaskItem& task = bed.AddTask("ftp://host:99999/f", dir.Path().string());
    ASSERT_TRUE(bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateErrorStopped);
    EXPECT_TRUE(TTaskBed::LogHasEntry(task, lcFailure, "sStreamCreateFailed"));
    EXPECT_TRUE(TTaskBed::LogHasEntry(task, lcFailure, "sInvalidLinkType"));
    EXPECT_EQ(bed.Shell.Count("Error:f"), 1);
}

class ShareTaskThreadTest : public TSambaTest {
protected:
    TTaskBed Bed{TBedClock::Real};
};

TEST_F(ShareTaskThreadTest, CopiesFromAShareByteForByte)
{
    TTempDir dest;
    for (int64_t size :
         {int64_t(0), int64_t(1), int64_t(65536), int64_t(65537), int64_t(1 << 20), int64_t((3 << 20) + 5)}) {
        SCOPED_TRACE(size);
        const std::string name = "s" + std::to_string(size) + ".bin";
        const std::string bytes = RandomBytes(std::size_t(size), unsigned(size) + 1);
        WriteShareFile(Server().PublicDir() / name, bytes);
        TTaskItem& task = Bed.AddTask(Server().PublicUnc(name), dest.Path().string());
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_TRUE(ReadFileBytes(dest.File(name)) == bytes);
    }
}

// A large share file reaches the disk one block behind its reads: when a read fails, the
// block still being written counts too, and the retry goes on from the end of the data.
TEST_F(ShareTaskThreadTest, ACutDownloadCountsTheBlockWrittenBehindAndGoesOnFromThere)
{
    TTempDir dest;
    const int64_t cut = (2 << 20) + 100000;
    const std::string bytes = RandomBytes((5 << 20) + 3, 12);
    WriteShareFile(Server().PublicDir() / "big.bin", bytes);
    TTaskItem& task = Bed.AddTask(Server().PublicUnc("big.bin"), dest.Path().string());
    {
        TCutReads<TTransferFileStream> cutting(ltFile, cut);
        ASSERT_TRUE(Bed.RunOnce(task));
    }
    ASSERT_EQ(task.State(), stateError);
    EXPECT_EQ(task.Loaded, cut);
    EXPECT_EQ(fs::file_size(dest.File("big.bin")), uint64_t(cut));
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.StartSize, cut);
    EXPECT_TRUE(ReadFileBytes(dest.File("big.bin")) == bytes);
}

TEST_F(ShareTaskThreadTest, CopiesIntoAShareFolderWithTheTasksLoginAndResumesThere)
{
    TTempDir source;
    // Several batches of the share's write-behind, the copy cut short in the middle of one.
    const int64_t cut = (5 << 20) + 100000;
    const std::string bytes = RandomBytes((9 << 20) + 3, 11);
    WriteFileBytes(source.File("up.bin"), bytes);
    TTaskItem& task = Bed.AddTask(source.File("up.bin"), Server().PrivateUnc("incoming"));
    task.LoginToDestination = true;
    task.UserLoginToDestination = Server().UserName();
    task.UserPasswordToDestination = Server().Password();
    const std::filesystem::path copy = Server().PrivateDir() / "incoming" / "up.bin";
    {
        TCutReads<TTransferFileStream> cutting(ltFile, cut);
        ASSERT_TRUE(Bed.RunOnce(task));
    }
    ASSERT_EQ(task.State(), stateError);
    // No reservation may lengthen a share's file: its length tells where the data ends.
    EXPECT_EQ(fs::file_size(copy), uint64_t(cut));
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.StartSize, cut);
    EXPECT_TRUE(ReadFileBytes(copy) == bytes);
}
