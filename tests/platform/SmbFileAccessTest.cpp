#include "platform/smb/SmbFileAccess.h"
#include "support/SambaServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

std::string Bytes(size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

// Sets an environment variable for one scope and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* name, const char* value) : Name_(name)
    {
        if (const char* old = std::getenv(name))
            Old_ = old, HadOld_ = true;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~TScopedEnv() { HadOld_ ? setenv(Name_, Old_.c_str(), 1) : unsetenv(Name_); }

private:
    const char* Name_;
    std::string Old_;
    bool HadOld_ = false;
};

} // namespace

TEST(SmbUrlTest, UncPathsBecomeEncodedUrls)
{
    const struct {
        const char* unc;
        const char* url;
    } cases[] = {
        {R"(\\srv\share\dir\f.txt)", "smb://srv/share/dir/f.txt"},
        {"//srv/share/dir/f.txt", "smb://srv/share/dir/f.txt"},
        {R"(\\srv/share\\dir/)", "smb://srv/share/dir"},
        {R"(\\srv\share\100% a?b#c.txt)", "smb://srv/share/100%25%20a%3Fb%23c.txt"},
        {"\\\\srv\\share\\Gr\xC3\xBC\xC3\x9F" "e", "smb://srv/share/Gr%C3%BC%C3%9Fe"},
        {R"(\\srv\share\user@x;y+z)", "smb://srv/share/user%40x%3By%2Bz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UncToSmbUrl(c.unc), c.url) << c.unc;
}

TEST(SmbUrlTest, PortComesFromTheEnvironment)
{
    const struct {
        const char* value;
        int port;
    } cases[] = {{nullptr, 445}, {"4455", 4455}, {"", 445}, {"12x", 445}, {"0", 445}, {"70000", 445}};
    for (const auto& c : cases) {
        TScopedEnv env("QUORVEX_SMB_PORT", c.value);
        EXPECT_EQ(SmbPort(), c.port) << (c.value ? c.value : "unset");
    }
}

class SmbFileAccessTest : public TSambaTest {
protected:
    struct TShare {
        const char* name;
        fs::path dir;
        std::string (TSambaServer::*unc)(const std::string&) const;
        std::string user, password;
    };

    std::vector<TShare> Shares()
    {
        return {{"public", Server().PublicDir(), &TSambaServer::PublicUnc, "", ""},
                {"private", Server().PrivateDir(), &TSambaServer::PrivateUnc, Server().UserName(), Server().Password()}};
    }

    std::string Unc(const TShare& share, const std::string& relative) { return (Server().*share.unc)(relative); }

    std::unique_ptr<TFileAccess> Connected(const TShare& share)
    {
        auto access = MakeSmbFileAccess(Unc(share, ""), share.user, share.password);
        EXPECT_TRUE(access->Connect()) << share.name << ": " << std::strerror(errno);
        return access;
    }

    std::unique_ptr<TFileAccess> Public() { return Connected(Shares()[0]); }
};

TEST_F(SmbFileAccessTest, ReadsAndWritesOnEachShare)
{
    for (const TShare& share : Shares()) {
        SCOPED_TRACE(share.name);
        const std::string content = Bytes(100000, 1);
        WriteShareFile(share.dir / "in" / "source.bin", content);
        auto access = Connected(share);
        ASSERT_TRUE(access->OpenRead(Unc(share, "in/source.bin"))) << std::strerror(errno);
        std::string got(content.size() + 10, '\0');
        EXPECT_EQ(access->Read(got.data(), int64_t(got.size())), int64_t(content.size()));
        got.resize(content.size());
        EXPECT_TRUE(got == content);
        EXPECT_TRUE(access->Close());
        // Files and folders the test put there are the share users' to change.
        EXPECT_TRUE(access->OpenReadWrite(Unc(share, "in/source.bin"))) << std::strerror(errno);
        EXPECT_TRUE(access->OpenReadWrite(Unc(share, "in/beside.bin"))) << std::strerror(errno);
        EXPECT_TRUE(access->Close());

        // Into a new folder two levels deep; an existing folder is fine the second time.
        for (int round = 0; round < 2; ++round)
            ASSERT_TRUE(access->MakeDirectories(Unc(share, "new/deeper"))) << std::strerror(errno);
        ASSERT_TRUE(access->OpenReadWrite(Unc(share, "new/deeper/out.bin"))) << std::strerror(errno);
        EXPECT_EQ(access->Write(content.data(), int64_t(content.size())), int64_t(content.size()));
        EXPECT_TRUE(access->Close());
        EXPECT_TRUE(ReadFileBytes(share.dir / "new" / "deeper" / "out.bin") == content);

        // Reopening for writing keeps what is there.
        ASSERT_TRUE(access->OpenReadWrite(Unc(share, "new/deeper/out.bin")));
        EXPECT_EQ(access->Write("XY", 2), 2);
        EXPECT_TRUE(access->Close());
        EXPECT_TRUE(ReadFileBytes(share.dir / "new" / "deeper" / "out.bin") == "XY" + content.substr(2));
        EXPECT_TRUE(access->Disconnect());
    }
}

TEST_F(SmbFileAccessTest, LoginFailuresAreReportedAtConnect)
{
    WriteFileBytes(Server().PublicDir() / "f", "x");
    const std::string port = std::to_string(Server().Port());
    const std::string closedPort = std::to_string(FreeLoopbackPort());
    const std::string user = Server().UserName();
    const struct {
        const char* what;
        std::string unc, user, password, port;
        int error;
    } cases[] = {
        {"wrong password", Server().PrivateUnc("f"), user, "wrong", port, EACCES},
        {"empty password", Server().PrivateUnc("f"), user, "", port, EACCES},
        {"guest on private", Server().PrivateUnc("f"), "", "", port, EACCES},
        {"unknown share", R"(\\127.0.0.1\nosuchshare\f)", user, Server().Password(), port, ENOENT},
        {"unknown share as guest", R"(\\127.0.0.1\nosuchshare\f)", "", "", port, ENOENT},
        {"closed port", Server().PublicUnc("f"), "", "", closedPort, ECONNREFUSED},
        {"no share in path", R"(\\127.0.0.1)", "", "", port, EINVAL},
    };
    for (const auto& c : cases) {
        TScopedEnv env("QUORVEX_SMB_PORT", c.port.c_str());
        auto access = MakeSmbFileAccess(c.unc, c.user, c.password);
        errno = 0;
        EXPECT_FALSE(access->Connect()) << c.what;
        EXPECT_EQ(errno, c.error) << c.what << ": " << std::strerror(errno);
        EXPECT_FALSE(access->OpenRead(c.unc)) << c.what;
        EXPECT_EQ(errno, ENOTCONN) << c.what;
    }
}

TEST_F(SmbFileAccessTest, AKeptLoginWhoseConnectionDroppedLogsInAgain)
{
    // A kept login is taken up without asking the server; its first call finds the
    // connection gone and is made once more on a new one, with the server's true answer.
    const std::string content = Bytes(5000, 5);
    WriteShareFile(Server().PublicDir() / "kept.bin", content);
    const struct {
        const char* what;
        std::function<bool(TFileAccess&)> call;
    } cases[] = {
        {"open",
         [&](TFileAccess& a) {
             std::string got(content.size(), '\0');
             return a.OpenRead(Server().PublicUnc("kept.bin"))
                    && a.Read(got.data(), int64_t(got.size())) == int64_t(got.size()) && got == content;
         }},
        {"exists", [&](TFileAccess& a) { return a.Exists(Server().PublicUnc("kept.bin")); }},
        {"missing", [&](TFileAccess& a) { return !a.Exists(Server().PublicUnc("none.bin")) && errno == ENOENT; }},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Public()->Disconnect()) << c.what;
        Server().CutSessions();
        auto access = Public();
        EXPECT_TRUE(c.call(*access)) << c.what << ": " << std::strerror(errno);
    }
}

TEST_F(SmbFileAccessTest, AFileIsReadAsItWasOpened)
{
    // Its size, asked at the opening, is the version a copy records: the read ends there,
    // or earlier where the file was cut meanwhile, and never waits or fails for it. A small
    // file is read whole at its opening.
    const std::string small = Bytes(70000, 6);
    const std::string large = Bytes(5 << 20, 7);
    const struct {
        const char* what;
        const std::string& content;
        std::string changed;
        std::string expected;
    } cases[] = {
        {"small, cut", small, small.substr(0, 1000), small},
        {"small, grown", small, small + "more", small},
        {"large, as opened", large, large, large},
        {"large, cut", large, large.substr(0, 1000), large.substr(0, 1000)},
        {"large, grown", large, large + "more", large},
    };
    const fs::path file = Server().PublicDir() / "opened.bin";
    // Reads served through the read-ahead, and reads of the whole file that bypass it and
    // end exactly where the file did when it was opened.
    for (const int64_t block : {int64_t(64 << 10), int64_t(large.size())}) {
        for (const auto& c : cases) {
            WriteShareFile(file, c.content);
            auto access = Public();
            ASSERT_TRUE(access->OpenRead(Server().PublicUnc("opened.bin"))) << c.what;
            EXPECT_EQ(access->Size(), int64_t(c.content.size())) << c.what;
            WriteShareFile(file, c.changed);
            std::string got(c.content.size() + block, '\0');
            int64_t done = 0;
            for (int64_t n; (n = access->Read(got.data() + done, block)) > 0;)
                done += n;
            got.resize(size_t(std::max<int64_t>(done, 0)));
            EXPECT_TRUE(got == c.expected) << c.what << ", blocks of " << block << ": " << done << " bytes";
        }
    }
}

TEST_F(SmbFileAccessTest, MissingFilesAndFolders)
{
    auto access = Public();
    errno = 0;
    EXPECT_FALSE(access->OpenRead(Server().PublicUnc("no/such.file")));
    EXPECT_EQ(errno, ENOENT) << std::strerror(errno);
    EXPECT_FALSE(access->IsOpen());
    EXPECT_FALSE(access->Exists(Server().PublicUnc("no/such.file")));
    EXPECT_EQ(access->GetAttributes(Server().PublicUnc("no/such.file")), kInvalidAttributes);

    // A file where a folder should be.
    WriteFileBytes(Server().PublicDir() / "blocker", "x");
    EXPECT_FALSE(access->MakeDirectories(Server().PublicUnc("blocker/sub")));
    EXPECT_FALSE(access->MakeDirectories(Server().PublicUnc("blocker")));
    EXPECT_EQ(errno, ENOTDIR);
}

TEST_F(SmbFileAccessTest, OpenFilesAreSharedForReadingOnly)
{
    WriteShareFile(Server().PublicDir() / "shared.bin", "data");
    const std::string unc = Server().PublicUnc("shared.bin");
    auto first = Public();
    auto second = Public();
    ASSERT_TRUE(first->OpenRead(unc));
    EXPECT_TRUE(second->OpenRead(unc)) << "readers share the file";
    second->Close();
    EXPECT_FALSE(second->OpenReadWrite(unc)) << "nobody writes under a reader";
    first->Close();
    ASSERT_TRUE(first->OpenReadWrite(unc));
    EXPECT_FALSE(second->OpenRead(unc)) << "nor reads under a writer";
}

TEST_F(SmbFileAccessTest, SeekAndTruncate)
{
    const std::string content = Bytes(1000, 2);
    const fs::path file = Server().PublicDir() / "seek.bin";
    WriteShareFile(file, content);
    auto access = Public();
    ASSERT_TRUE(access->OpenReadWrite(Server().PublicUnc("seek.bin")));

    EXPECT_EQ(access->Seek(0, SEEK_END), 1000);
    EXPECT_TRUE(access->Truncate(5000));
    EXPECT_EQ(fs::file_size(file), 5000u);
    EXPECT_EQ(access->Seek(0, SEEK_CUR), 1000) << "truncating moves no position";
    EXPECT_TRUE(ReadFileBytes(file) == content + std::string(4000, '\0'));

    EXPECT_TRUE(access->Truncate(100));
    EXPECT_EQ(fs::file_size(file), 100u);
    EXPECT_EQ(access->Seek(50, SEEK_SET), 50);
    std::string got(100, '\0');
    EXPECT_EQ(access->Read(got.data(), 100), 50);
    EXPECT_EQ(got.substr(0, 50), content.substr(50, 50));

    // Positions and sizes beyond 4 GiB (sparse on the server's disk).
    const int64_t big = (int64_t(5) << 30) + 7;
    EXPECT_EQ(access->Seek(big, SEEK_SET), big);
    EXPECT_EQ(access->Write("z", 1), 1);
    EXPECT_EQ(access->Seek(0, SEEK_END), big + 1);
    EXPECT_EQ(int64_t(fs::file_size(file)), big + 1);
    EXPECT_TRUE(access->Truncate(10));
    EXPECT_TRUE(access->Close());
    EXPECT_EQ(fs::file_size(file), 10u);
}

TEST_F(SmbFileAccessTest, ModifyTimeAndAttributes)
{
    const fs::path file = Server().PublicDir() / "times.bin";
    WriteShareFile(file, "old");
    const timespec accessTime{1500000000, 0};
    const timespec keep[2] = {accessTime, {1500000000, UTIME_OMIT}};
    ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), keep, 0), 0);

    auto access = Public();
    const std::string unc = Server().PublicUnc("times.bin");
    ASSERT_TRUE(access->OpenReadWrite(unc));
    EXPECT_EQ(access->Write("new", 3), 3);
    // Attributes set on the written file before its time both survive its close.
    EXPECT_TRUE(access->SetAttributes(unc, kAttrReadOnly | kAttrArchive));
    const timespec wanted{1614834367, 123456789};
    EXPECT_TRUE(access->SetModifyTime(wanted)) << std::strerror(errno);
    timespec got{};
    EXPECT_TRUE(access->GetModifyTime(got));
    EXPECT_EQ(got.tv_sec, wanted.tv_sec);
    EXPECT_EQ(got.tv_nsec / 1000, wanted.tv_nsec / 1000);
    EXPECT_TRUE(access->Close());
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, wanted.tv_sec) << "the last write must not win over the set time";
    EXPECT_EQ(st.st_mtim.tv_nsec / 1000, wanted.tv_nsec / 1000);
    EXPECT_EQ(st.st_atim.tv_sec, accessTime.tv_sec);
    EXPECT_EQ(access->GetAttributes(unc), kAttrReadOnly | kAttrArchive);

    // Attribute words as written, read back from the share; the directory bit is never set.
    const struct {
        uint32_t set, expected;
    } cases[] = {{kAttrReadOnly, kAttrReadOnly},
                 {kAttrHidden | kAttrSystem | kAttrArchive, kAttrHidden | kAttrSystem | kAttrArchive},
                 {kAttrDirectory | kAttrReadOnly, kAttrReadOnly},
                 {kAttrNormal, kAttrNormal}};
    for (const auto& c : cases) {
        EXPECT_TRUE(access->SetAttributes(unc, c.set)) << std::hex << c.set << ": " << std::strerror(errno);
        EXPECT_EQ(access->GetAttributes(unc), c.expected) << std::hex << c.set;
    }
    EXPECT_FALSE(access->SetAttributes(unc, kInvalidAttributes));
    EXPECT_EQ(access->GetAttributes(unc), kAttrNormal) << "an unreadable word must not be written";
    EXPECT_NE(access->GetAttributes(Server().PublicUnc("")) & kAttrDirectory, 0u);
}

TEST_F(SmbFileAccessTest, NamesWithSpecialCharactersRoundTrip)
{
    auto access = Public();
    ASSERT_TRUE(access->MakeDirectories(Server().PublicUnc("names")));
    for (const std::string name : {"100% done #1.txt", "Gr\xC3\xBC\xC3\x9F" "e \xD1\x84\xD0\xB0\xD0\xB9\xD0\xBB.txt",
                                   "\xE6\x97\xA5\xE6\x9C\xAC+x;y@z.bin"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(access->OpenReadWrite(Server().PublicUnc("names/" + name))) << std::strerror(errno);
        EXPECT_EQ(access->Write(name.data(), int64_t(name.size())), int64_t(name.size()));
        EXPECT_TRUE(access->Close());
        EXPECT_EQ(ReadFileBytes(Server().PublicDir() / "names" / name), name);
        EXPECT_TRUE(access->Exists(Server().PublicUnc("names/" + name)));
    }
}

TEST_F(SmbFileAccessTest, LargeReadIsExact)
{
    const std::string content = Bytes(64 << 20, 3);
    WriteFileBytes(Server().PublicDir() / "large.bin", content);
    auto access = Public();
    ASSERT_TRUE(access->OpenRead(Server().PublicUnc("large.bin")));
    std::string got(content.size(), '\0');
    const auto start = std::chrono::steady_clock::now();
    int64_t done = 0;
    for (int64_t n; (n = access->Read(got.data() + done, std::min<int64_t>(1 << 20, int64_t(got.size()) - done))) > 0;)
        done += n;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(done, int64_t(content.size()));
    EXPECT_TRUE(got == content);
    std::cout << "64 MiB through the share in " << seconds << " s (" << 64 / seconds << " MiB/s)\n";
}

TEST_F(SmbFileAccessTest, SmallWritesGoOutTogetherAndALostSendFailsTheClose)
{
    // Blocks kept back reach the file by the next seek, and whole by the close; a file of
    // several batches arrives whole and in order.
    const struct {
        size_t size;
        size_t block;
    } cases[] = {{300000, 1000}, {9 * 1024 * 1024 + 5, 64 * 1024}};
    const fs::path file = Server().PublicDir() / "behind.bin";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string content = Bytes(c.size, 3);
        auto access = Public();
        ASSERT_TRUE(access->OpenReadWrite(Server().PublicUnc("behind.bin")));
        ASSERT_TRUE(access->Truncate(0));
        for (size_t at = 0; at < content.size(); at += c.block) {
            const int64_t count = int64_t(std::min(c.block, content.size() - at));
            ASSERT_EQ(access->Write(content.data() + at, count), count);
        }
        EXPECT_EQ(access->Seek(0, SEEK_CUR), int64_t(content.size()));
        EXPECT_TRUE(ReadFileBytes(file) == content);
        ASSERT_EQ(access->Write("tail", 4), 4);
        EXPECT_TRUE(access->Close());
        EXPECT_TRUE(ReadFileBytes(file) == content + "tail");

        // The connection drops while blocks wait: the close says they are lost, and the
        // file's length still ends where its data does (where the next attempt resumes).
        ASSERT_TRUE(access->OpenReadWrite(Server().PublicUnc("behind.bin")));
        ASSERT_EQ(access->Seek(0, SEEK_END), int64_t(content.size()) + 4);
        Server().CutSessions();
        bool written = true;
        for (size_t at = 0; at < content.size() && written; at += c.block)
            written = access->Write(content.data(), int64_t(c.block)) == int64_t(c.block);
        EXPECT_FALSE(access->Close());
        EXPECT_TRUE(ReadFileBytes(file) == content + "tail");
    }
}

TEST_F(SmbFileAccessTest, AWriteFromAnotherThreadToADroppedServerFailsWithoutEndingTheProgram)
{
    // A copy writes on a thread of the pool that never logged in, and whose signal mask
    // lets SIGPIPE through: a dropped connection must fail the write, not end the program.
    auto access = Public();
    ASSERT_TRUE(access->OpenReadWrite(Server().PublicUnc("dropped.bin")));
    Server().CutSessions();
    bool failed = false;
    std::thread([&] {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
        const std::string block(16 << 20, 'x');
        for (int i = 0; i < 8 && !failed; ++i)
            failed = access->Write(block.data(), int64_t(block.size())) < 0;
    }).join();
    EXPECT_TRUE(failed);
    EXPECT_FALSE(access->Close());
}

TEST_F(SmbFileAccessTest, StreamsInSeveralThreadsAtOnce)
{
    // Like tasks copying to and from shares side by side, their reads and writes running at
    // once on their own connections: the library's temporary allocations must stay apart,
    // or they get mixed up and the program ends.
    const std::string content = Bytes(200000, 4);
    WriteShareFile(Server().PublicDir() / "side.bin", content);
    std::atomic<int> whole{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const std::string copy = Server().PublicUnc("side-" + std::to_string(t) + ".bin");
            for (int round = 0; round < 10; ++round) {
                auto access = MakeSmbFileAccess(Server().PublicUnc(""), "", "");
                std::string got(content.size(), '\0');
                if (access->Connect() && access->OpenRead(Server().PublicUnc("side.bin"))
                    && access->Read(got.data(), int64_t(got.size())) == int64_t(got.size()) && got == content
                    && access->OpenReadWrite(copy)
                    && access->Write(got.data(), int64_t(got.size())) == int64_t(got.size()) && access->Close())
                    ++whole;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(whole, 40);
    for (int t = 0; t < 4; ++t)
        EXPECT_TRUE(ReadFileBytes(Server().PublicDir() / ("side-" + std::to_string(t) + ".bin")) == content);
}
