#include "config/Options.h"
#include "core/LogCodes.h"
#include "support/NginxServer.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"
#include "tasks/TaskItem.h"
#include "transfer/TransferHTTPStream.h"
#include "transfer/UserAgent.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

class HttpTransfer : public TNginxTest {
protected:
    TTaskBed Bed{TBedClock::Real};
    TTempDir Dest;
    size_t LogMark = 0;

    void SetUp() override
    {
        TNginxTest::SetUp();
        if (IsSkipped())
            return;
        setenv("QUORVEX_CA_FILE", Server().CaFile().c_str(), 1);
        LogMark = Server().AccessLog().size();
    }
    void TearDown() override { unsetenv("QUORVEX_CA_FILE"); }

    TTaskItem& AddDownload(const std::string& url, const std::string& name, const std::string& bytes)
    {
        WriteFileBytes(Server().DocRoot() / name, bytes);
        return Bed.AddTask(url, Dest.Path().string());
    }
    // The access-log lines of the requests made since the test began.
    std::vector<std::string> NewRequests() const
    {
        const std::vector<std::string> all = Server().AccessLog();
        return {all.begin() + std::ptrdiff_t(std::min(LogMark, all.size())), all.end()};
    }
};

} // namespace

TEST_F(HttpTransfer, AddsToAPartialFileOverHttpAndHttpsWithARangedSecondRequest)
{
    Options().AlraedyInDiskWhatToDo = efAddTo;
    const std::string agent = QuorvexUserAgentString();
    struct TCase {
        bool Secure;
        bool Cookies;
    };
    for (const TCase c : {TCase{false, true}, TCase{true, false}}) {
        SCOPED_TRACE(c.Secure);
        Options().bUseCokies = c.Cookies;
        const std::string name = c.Secure ? "s.bin" : "p.bin";
        const std::string bytes = RandomBytes(700000, c.Secure ? 1 : 2);
        WriteFileBytes(Server().DocRoot() / name, bytes);
        const timespec times[2] = {{1577934245, 0}, {1577934245, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, (Server().DocRoot() / name).c_str(), times, 0), 0);
        // The query must reach the server on both requests.
        const std::string url = (c.Secure ? Server().HttpsUrl(name) : Server().HttpUrl(name)) + "?v=1";
        TTaskItem& task = Bed.AddTask(url, Dest.Path().string());
        task.SetName(name);
        WriteFileBytes(Dest.File(name), bytes.substr(0, 300000));
        LogMark = Server().AccessLog().size();
        ASSERT_TRUE(Bed.RunOnce(task));
        ASSERT_EQ(task.State(), stateCompleted);
        EXPECT_TRUE(ReadFileBytes(Dest.File(name)) == bytes);
        struct stat st {};
        ASSERT_EQ(stat(Dest.File(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mtim.tv_sec, 1577934245);

        // The whole link first, then its tail after the file's end, with the program's agent;
        // the cookie set by the first answer goes back only when cookies are on.
        const std::vector<std::string> requests = NewRequests();
        ASSERT_EQ(requests.size(), 2u);
        const std::string cookie = c.Cookies ? "quorvex-test=1" : "-";
        EXPECT_EQ(requests[0], "GET /" + name + "?v=1 HTTP/1.1|-|200|" + agent + "|-");
        EXPECT_EQ(requests[1], "GET /" + name + "?v=1 HTTP/1.1|bytes=300000-|206|" + agent + "|" + cookie);
    }
}

TEST_F(HttpTransfer, StoppedCopyResumesWithARangeFromWhereItStopped)
{
    const std::string bytes = RandomBytes(1000, 3);
    TTaskItem& task = AddDownload(Server().HttpUrl("r.bin"), "r.bin", bytes);
    WriteFileBytes(Dest.File("r.bin"), bytes.substr(0, 400));
    task.Loaded = 400;
    task.DestinationCreated = true;
    Options().TaskReserveSpace = false;
    ASSERT_TRUE(Bed.RunOnce(task));
    ASSERT_EQ(task.State(), stateCompleted);
    EXPECT_EQ(task.StartSize, 400);
    EXPECT_TRUE(ReadFileBytes(Dest.File("r.bin")) == bytes);
    // The first request already asks for the tail alone.
    const std::vector<std::string> requests = NewRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("|bytes=400-|206|"), std::string::npos) << requests[0];
}

TEST_F(HttpTransfer, RefusalsFailTheAttemptAndWriteNothing)
{
    struct TCase {
        std::string Url;
        bool WithCa;
        int Code;
        std::string Text;
    };
    WriteFileBytes(Server().DocRoot() / "t.bin", "tls");
    const TCase cases[] = {
        {Server().HttpUrl("absent.bin"), true, lcFailureReply, "404 Not Found"},
        {Server().HttpsUrl("t.bin"), false, lcFailure, "certificate"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Url);
        if (!c.WithCa)
            unsetenv("QUORVEX_CA_FILE");
        TTempDir dest;
        TTaskItem& task = Bed.AddTask(c.Url, dest.Path().string());
        ASSERT_TRUE(Bed.RunOnce(task));
        EXPECT_EQ(task.State(), stateError);
        EXPECT_TRUE(TTaskBed::LogHasEntry(task, c.Code, c.Text));
        EXPECT_TRUE(std::filesystem::is_empty(dest.Path()));
    }
}

TEST_F(HttpTransfer, WebLinksAreNeverDestinations)
{
    TTempDir source;
    WriteFileBytes(source.File("up.bin"), "data");
    TTaskItem& task = Bed.AddTask(source.File("up.bin"), Server().HttpUrl("in/"));
    ASSERT_TRUE(Bed.RunOnce(task));
    EXPECT_EQ(task.State(), stateError);
    EXPECT_TRUE(TTaskBed::LogHasEntry(task, lcFailure, "sNoSupportWrite"));
    EXPECT_FALSE(std::filesystem::exists(Server().DocRoot() / "in" / "up.bin"));
}

TEST_F(HttpTransfer, TheNextTaskOnAKeptHandleSendsNothingOfTheLastOne)
{
    Options().bUseCokies = true;
    Options().TaskReserveSpace = false;
    // A resumed copy asks for a range, and its answer sets a cookie.
    const std::string first = RandomBytes(1000, 5);
    TTaskItem& resumed = AddDownload(Server().HttpUrl("k1.bin"), "k1.bin", first);
    WriteFileBytes(Dest.File("k1.bin"), first.substr(0, 400));
    resumed.Loaded = 400;
    resumed.DestinationCreated = true;
    ASSERT_TRUE(Bed.RunOnce(resumed));
    ASSERT_EQ(resumed.State(), stateCompleted);
    // The next task's stream is served by the same library handle: no range, no cookie.
    const std::string second = RandomBytes(1000, 6);
    TTaskItem& next = AddDownload(Server().HttpUrl("k2.bin"), "k2.bin", second);
    ASSERT_TRUE(Bed.RunOnce(next));
    ASSERT_EQ(next.State(), stateCompleted);
    EXPECT_TRUE(ReadFileBytes(Dest.File("k2.bin")) == second);
    const std::vector<std::string> requests = NewRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].find("|bytes=400-|206|"), std::string::npos) << requests[0];
    EXPECT_EQ(requests[1], "GET /k2.bin HTTP/1.1|-|200|" + QuorvexUserAgentString() + "|-");
}

TEST_F(HttpTransfer, BytesThatCameWithTheHeadReachTheFirstReadWhereverItGoes)
{
    const std::string bytes = RandomBytes(300000, 7);
    WriteFileBytes(Server().DocRoot() / "h.bin", bytes);
    struct TCase {
        const char* What;
        size_t Block;
        bool IntoPlannedBlock;
    };
    for (const TCase c : {TCase{"in place", 1 << 20, true}, TCase{"into another buffer", 1 << 20, false},
                          TCase{"beyond the block", 65536, true}}) {
        SCOPED_TRACE(c.What);
        std::vector<char> planned(c.Block);
        std::vector<char> other(c.Block);
        char* const into = c.IntoPlannedBlock ? planned.data() : other.data();
        TTransferHTTPStream stream(Server().HttpUrl("h.bin"), "", "", {});
        stream.OpenSession();
        stream.OpenConnection();
        stream.PlanRead(0, {}, planned);
        stream.OpenRead();
        std::string got;
        for (int64_t n; (n = stream.Read(into, int64_t(c.Block))) > 0;)
            got.append(into, size_t(n));
        EXPECT_TRUE(got == bytes);
        stream.Close();
        stream.CloseConnection();
        stream.CloseSession();
    }
}
