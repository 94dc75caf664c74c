#include "CutReads.h"

#include "config/Options.h"
#include "core/LogCodes.h"
#include "support/FtpServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"
#include "transfer/StreamFactory.h"
#include "transfer/TransferFTPStream.h"
#include "transfer/TransferHTTPStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FtpTransfer : public TFtpTest {
protected:
    TTaskBed Bed{TBedClock::Real};
    TTempDir Dest;

    TTaskItem& AddDownload(const std::string& relative, const std::string& bytes)
    {
        WriteFileBytes(Server().AnonDir() / relative, bytes);
        return Bed.AddTask(Server().AnonLink(relative), Dest.Path().string());
    }
};

} // namespace

TEST(InetStreamNames, LinksGiveHostPortPathAndTheTasksCredentials)
{
    struct TCase {
        std::string Link;
        uint16_t Port;
        std::string Path;
    };
    const TCase ftp[] = {
        {"ftp://host/pub/file.zip", 21, "/pub/file.zip"},
        {"ftp://u:p@host:2121/file.zip", 2121, "/file.zip"},
        {"ftp://host/my%20file.txt", 21, "/my file.txt"},
    };
    for (const TCase& c : ftp) {
        TTransferFTPStream stream(c.Link, "task-user", "", {});
        EXPECT_EQ(stream.HostName(), "host");
        EXPECT_EQ(stream.Port(), c.Port);
        EXPECT_EQ(stream.Path(), c.Path);
        EXPECT_EQ(stream.UserName(), "task-user");  // never the link's own
        EXPECT_EQ(stream.Password(), "");
    }
    const TCase http[] = {
        {"http://host/x.bin", 80, "/x.bin"},
        {"https://host/dir/x.bin?token=1", 443, "/dir/x.bin"},
        {"http://host:8080/", 8080, "/"},
    };
    for (const TCase& c : http) {
        TTransferHTTPStream stream(c.Link, "", "", {});
        EXPECT_EQ(stream.Port(), c.Port);
        EXPECT_EQ(stream.Path(), c.Path);
    }
}

TEST_F(FtpTransfer, DownloadsByteForByteInEachMode)
{
    const std::string text = "first line\r\nsecond line\r\n" + std::string(100000, 'a');
    struct TCase {
        bool Passive;
        int FtpMode;  // 0 binary, 1 ASCII
        std::string Bytes;
        std::string Expected;
    };
    const TCase cases[] = {
        {true, 0, RandomBytes(300000, 1), ""},
        {false, 0, RandomBytes(65536, 2), ""},
        {false, 0, "", ""},
        {false, 0, text, text},
        // Text mode brings the lines with this system's line ends, fewer bytes than announced.
        {true, 1, text, "first line\nsecond line\n" + std::string(100000, 'a')},
    };
    int n = 0;
    for (const TCase& c : cases) {
        SCOPED_TRACE(n);
        Options().bUsePassiveFTP = c.Passive;
        Options().iFTPMode = c.FtpMode;
        TTaskItem& task = AddDownload("pub/m" + std::to_string(n++) + ".bin", c.Bytes);
        ASSERT_TRUE(Bed.RunOnce(task));
        const std::string& expected = c.Expected.empty() ? c.Bytes : c.Expected;
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == expected);
        EXPECT_EQ(task.Size, int64_t(expected.size()));
        // Text mode cannot resume: its byte counts are not the server's.
        EXPECT_EQ(TTaskBed::LogHas(task, "sResumeNotSupported"), c.FtpMode == 1);
    }
}

TEST_F(FtpTransfer, FileInTheRootGetsItsServerTime)
{
    TTaskItem& task = AddDownload("root.bin", RandomBytes(1000, 3));
    const timespec times[2] = {{1577934245, 0}, {1577934245, 0}};  // 2020-01-02 03:04:05 UTC
    ASSERT_EQ(utimensat(AT_FDCWD, (Server().AnonDir() / "root.bin").c_str(), times, 0), 0);
    ASSERT_TRUE(Bed.RunOnce(task));
    ASSERT_EQ(task.State(), stateCompleted);
    struct stat st {};
    ASSERT_EQ(stat(task.DestinationFileName().c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1577934245);
}

TEST_F(FtpTransfer, StreamReportsSizesBeyondFourGigabytesAndWhatExists)
{
    const int64_t size = int64_t(5) << 30;
    {
        const fs::path sparse = Server().AnonDir() / "pub" / "five.img";
        fs::create_directories(sparse.parent_path());
        const int fd = ::open(sparse.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ::close(fd);
    }
    TTransferFTPStream stream(Server().AnonLink("pub/five.img"), "", "", {});
    stream.OpenSession();
    stream.OpenConnection();
    EXPECT_TRUE(stream.Exists());
    EXPECT_TRUE(stream.FileExists(Server().AnonLink("pub/five.img")));
    EXPECT_FALSE(stream.FileExists(Server().AnonLink("pub/none.img")));
    EXPECT_FALSE(stream.FileExists(Server().AnonLink("nofolder/five.img")));
    stream.OpenRead();
    EXPECT_EQ(stream.GetSize(), size);
    EXPECT_EQ(stream.Port(), Server().Port());
    stream.Close();
    stream.CloseConnection();
    stream.CloseSession();
}

TEST_F(FtpTransfer, UploadsIntoAFolderAndRenamesWhatExists)
{
    TTempDir source;
    const std::string bytes = RandomBytes(200000, 4);
    WriteFileBytes(source.File("up.bin"), bytes);
    const std::string incoming = Server().AnonLink("incoming/");
    Options().AlraedyInDiskWhatToDo = efRename;
    for (const char* expected : {"up.bin", "up[1].bin"}) {
        SCOPED_TRACE(expected);
        TTaskItem& task = Bed.AddTask(source.File("up.bin"), incoming);
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_TRUE(ReadFileBytes(Server().AnonDir() / "incoming" / expected) == bytes);
    }
}

TEST_F(FtpTransfer, UserLoginAndItsFailuresAreLoggedWithTheServersReply)
{
    const std::string bytes = RandomBytes(5000, 5);
    WriteFileBytes(Server().UserDir() / "mine.bin", bytes);
    const std::string link = "ftp://127.0.0.1:" + std::to_string(Server().Port()) + (Server().UserDir() / "mine.bin").string();
    struct TCase {
        std::string Link;
        std::string Password;
        TTaskState State;
        std::string Reply;  // of the failure, code 5
    };
    const TCase cases[] = {
        {link, Server().Password(), stateCompleted, ""},
        {link, "wrong", stateError, "530"},
        {link + ".missing", Server().Password(), stateError, "550"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Link + " " + c.Password);
        TTempDir dest;
        TTaskItem& task = Bed.AddTask(c.Link, dest.Path().string());
        task.LoginToSource = true;
        task.UserLoginToSource = Server().UserName();
        task.UserPasswordToSource = c.Password;
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), c.State);
        if (c.State == stateCompleted)
            EXPECT_TRUE(ReadFileBytes(dest.File("mine.bin")) == bytes);
        else
            EXPECT_TRUE(TTaskBed::LogHasEntry(task, lcFailureReply, c.Reply));
    }
}

TEST_F(FtpTransfer, CutConnectionFailsTheAttemptAndTheRetryCompletes)
{
    // Larger than what the sockets' buffers hold, so the cut reaches the data.
    const std::string bytes = RandomBytes(48 << 20, 6);
    TTaskItem& task = AddDownload("pub/cut.bin", bytes);
    // The first attempt's sessions are cut once a megabyte has arrived.
    struct TCutting : TTransferFTPStream {
        using TTransferFTPStream::TTransferFTPStream;
        TFtpServer* Server = nullptr;
        int64_t DoRead(void* buffer, int64_t count) override
        {
            if (Server && DoGetPosition() >= (1 << 20)) {
                Server->CutSessions();
                Server = nullptr;
            }
            return TTransferFTPStream::DoRead(buffer, count);
        }
    };
    bool cut = false;
    const TStreamFactory previous = SetStreamFactory(
        ltFTP, [&](const std::string& link, const std::string& user, const std::string& password, const TStreamSettings& s) {
            auto stream = std::make_unique<TCutting>(link, user, password, s);
            if (!cut && link.find("cut.bin") != std::string::npos && link.rfind("ftp:", 0) == 0) {
                stream->Server = &Server();
                cut = true;
            }
            return std::unique_ptr<TTransferStream>(std::move(stream));
        });
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateError);
    EXPECT_TRUE(TTaskBed::LogHas(task, "sReadDataFailed"));
    const int64_t kept = task.Loaded;
    EXPECT_GE(kept, 1 << 20);
    ASSERT_TRUE(Bed.RunOnce(task));
    SetStreamFactory(ltFTP, previous);
    EXPECT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.StartSize, kept);  // resumed (REST)
    EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == bytes);
}

TEST_F(FtpTransfer, ResumesOnlyWhileTheFileIsTheSame)
{
    const int64_t cut = 1 << 20;
    const timespec before[2] = {{1577934245, 0}, {1577934245, 0}};
    const timespec later[2] = {{1577934300, 0}, {1577934300, 0}};
    struct TCase {
        const char* Change;
        std::size_t NewSize;  // 0: the file stays as it was
        const timespec* Time;
    };
    const TCase cases[] = {
        {"none", 0, before},
        {"time", 3 << 20, later},
        {"size", (3 << 20) + 1, before},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Change);
        const std::string name = std::string("pub/version-") + c.Change + ".bin";
        const fs::path served = Server().AnonDir() / name;
        const std::string old = RandomBytes(3 << 20, 20);
        TTaskItem& task = AddDownload(name, old);
        ASSERT_EQ(utimensat(AT_FDCWD, served.c_str(), before, 0), 0);
        {
            TCutReads<TTransferFTPStream> cutting(ltFTP, cut);
            ASSERT_TRUE(Bed.RunOnce(task));
        }
        ASSERT_EQ(task.State(), stateError);
        ASSERT_EQ(task.Loaded, cut);

        const std::string expected = c.NewSize ? RandomBytes(c.NewSize, 21) : old;
        WriteFileBytes(served, expected);
        ASSERT_EQ(utimensat(AT_FDCWD, served.c_str(), c.Time, 0), 0);
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateCompleted);
        EXPECT_EQ(task.StartSize, c.NewSize ? 0 : cut);
        EXPECT_EQ(TTaskBed::LogHas(task, "sSourceChanged"), c.NewSize != 0);
        EXPECT_TRUE(ReadFileBytes(task.DestinationFileName()) == expected);
    }
}

TEST_F(FtpTransfer, ConnectionsCarryOverToLaterTasksWithTheSameLoginOnly)
{
    // A user's session sees the whole file system from "/", an anonymous one the anonymous
    // root: a task handed the other login's connection would miss its file or take the wrong one.
    const std::string mine = RandomBytes(3000, 7);
    const std::string theirs = RandomBytes(3000, 8);
    WriteFileBytes(Server().UserDir() / "reuse.bin", mine);
    WriteFileBytes(Server().AnonDir() / "reuse.bin", theirs);
    const std::string userLink =
        "ftp://127.0.0.1:" + std::to_string(Server().Port()) + (Server().UserDir() / "reuse.bin").string();
    // Connections kept from earlier tests are dropped by the server: the first task must
    // log in anew rather than fail.
    Server().CutSessions();
    std::vector<TTaskItem*> userTasks;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        TTempDir userDest;
        TTaskItem& user = Bed.AddTask(userLink, userDest.Path().string());
        user.LoginToSource = true;
        user.UserLoginToSource = Server().UserName();
        user.UserPasswordToSource = Server().Password();
        ASSERT_TRUE(Bed.RunOnce(user));
        ASSERT_EQ(user.State(), stateCompleted);
        EXPECT_TRUE(ReadFileBytes(userDest.File("reuse.bin")) == mine);
        userTasks.push_back(&user);

        TTempDir anonDest;
        TTaskItem& anonymous = Bed.AddTask(Server().AnonLink("reuse.bin"), anonDest.Path().string());
        ASSERT_TRUE(Bed.RunOnce(anonymous));
        ASSERT_EQ(anonymous.State(), stateCompleted);
        EXPECT_TRUE(ReadFileBytes(anonDest.File("reuse.bin")) == theirs);
    }
    // A login ends by asking for the current folder ("257"); the second user task went on
    // where the first one's connection stood, without one.
    EXPECT_TRUE(TTaskBed::LogHasEntry(*userTasks[0], lcInformation, "257 "));
    EXPECT_FALSE(TTaskBed::LogHasEntry(*userTasks[1], lcInformation, "257 "));
}
