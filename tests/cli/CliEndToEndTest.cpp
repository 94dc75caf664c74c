// Runs the built quorvex-cli as a user would.

#include "support/FaultyHttpServer.h"
#include "support/FtpServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TOutcome {
    int ExitCode = -1;  // -1 when a signal ended the program
    int Signal = 0;
    std::string Errors;  // what it wrote to stderr
};

class CliEndToEndTest : public ::testing::Test {
protected:
    TTempDir Dir;

    pid_t Start(const std::vector<std::string>& args)
    {
        std::vector<std::string> all{QUORVEX_CLI};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, ErrorsFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid = -1;
        const int failure = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(failure, 0) << "cannot start " << QUORVEX_CLI;
        return pid;
    }

    TOutcome Wait(pid_t pid)
    {
        TOutcome outcome;
        int status = 0;
        waitpid(pid, &status, 0);
        if (WIFEXITED(status))
            outcome.ExitCode = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            outcome.Signal = WTERMSIG(status);
        outcome.Errors = ReadFileBytes(ErrorsFile());
        return outcome;
    }

    TOutcome Run(const std::vector<std::string>& args) { return Wait(Start(args)); }

    std::string ErrorsFile() const { return Dir.File("stderr.txt"); }

    // Random bytes, so that a shifted or repeated block cannot pass for the original.
    std::string WriteRandomFile(const std::string& name, std::size_t size)
    {
        WriteFileBytes(Dir.Path() / name, RandomBytes(size, unsigned(size)));
        return Dir.File(name);
    }
};

// Bytes the file holds on disk: the copy reserves the full size at once, sparsely.
int64_t AllocatedBytes(const fs::path& file)
{
    struct stat info{};
    return stat(file.c_str(), &info) == 0 ? int64_t(info.st_blocks) * 512 : 0;
}

} // namespace

TEST_F(CliEndToEndTest, CopiesALocalFileAndRenamesWhenTheCopyExists)
{
    const std::string source = WriteRandomFile("a.bin", 3 * 1024 * 1024 + 5);
    const fs::path out = Dir.Path() / "out";
    const std::string history = Dir.File("history.xml");
    for (int run = 0; run < 2; ++run) {
        const TOutcome outcome = Run({source, "-d", out.string(), "-q", "--history", history});
        EXPECT_EQ(outcome.ExitCode, 0) << outcome.Errors;
        EXPECT_NE(outcome.Errors.find("completed"), std::string::npos) << outcome.Errors;
    }
    // The second run found the first copy and kept it: nothing is lost without --on-exists.
    EXPECT_EQ(ReadFileBytes(out / "a.bin"), ReadFileBytes(source));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(out)) {
        EXPECT_EQ(ReadFileBytes(entry.path()), ReadFileBytes(source)) << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 2);
    // Each run recorded its copy at the top of the history.
    const std::string records = ReadFileBytes(history);
    const std::size_t renamed = records.find("<Name>a[1].bin</Name>");
    EXPECT_NE(renamed, std::string::npos) << records;
    EXPECT_GT(records.find("<Name>a.bin</Name>"), renamed);
}

TEST_F(CliEndToEndTest, AnInterruptedCopyResumesFromItsList)
{
    const std::string source = WriteRandomFile("big.bin", 300u * 1024 * 1024);
    const fs::path copy = Dir.Path() / "out" / "big.bin";
    const std::string list = Dir.File("tasks.qtl");

    const pid_t pid = Start({source, "-d", (Dir.Path() / "out").string(), "--list", list});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (AllocatedBytes(copy) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    kill(pid, SIGTERM);
    const TOutcome stopped = Wait(pid);
    ASSERT_EQ(stopped.ExitCode, 1) << stopped.Errors;

    const std::string saved = ReadFileBytes(list);
    EXPECT_NE(saved.find("<State>1</State>"), std::string::npos) << saved.substr(0, 1000);
    const std::size_t loaded = saved.find("<Loaded>");
    ASSERT_NE(loaded, std::string::npos);
    EXPECT_GT(std::stoll(saved.substr(loaded + 8)), 0);

    // Named again, with its folder written otherwise, the SOURCE goes on in its listed task.
    const TOutcome resumed = Run({"--list", list, source, "-d", (Dir.Path() / "out/").string()});
    EXPECT_EQ(resumed.ExitCode, 0) << resumed.Errors;
    EXPECT_NE(resumed.Errors.find("is in the list already"), std::string::npos) << resumed.Errors;
    EXPECT_TRUE(ReadFileBytes(copy) == ReadFileBytes(source));
    EXPECT_EQ(std::distance(fs::directory_iterator(copy.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(CliEndToEndTest, DownloadsFromWebAndFtpServersAndUploadsToAnFtpFolder)
{
    TFtpServer* ftp = nullptr;
    FindServerOrSkip(ftp);
    if (!ftp)
        return;
    const std::string source = WriteRandomFile("up.bin", 700000);
    const TOutcome upload = Run({source, "-d", ftp->AnonLink("incoming/"), "-q"});
    EXPECT_EQ(upload.ExitCode, 0) << upload.Errors;
    EXPECT_EQ(ReadFileBytes(ftp->AnonDir() / "incoming" / "up.bin"), ReadFileBytes(source));

    TFaultyHttpServer web;
    TFaultyReply page;
    page.Body = ReadFileBytes(source);
    web.Serve("/files/web.bin", page);
    const fs::path out = Dir.Path() / "out";
    const TOutcome download =
        Run({web.Url("/files/web.bin"), ftp->AnonLink("incoming/up.bin"), "-d", out.string(), "-q"});
    EXPECT_EQ(download.ExitCode, 0) << download.Errors;
    EXPECT_EQ(ReadFileBytes(out / "web.bin"), ReadFileBytes(source));
    EXPECT_EQ(ReadFileBytes(out / "up.bin"), ReadFileBytes(source));

    // The servers' replies after each step are logged where a log is kept, and a failure's
    // reply is told without one.
    const std::string keep = Dir.File("keep.xml");
    WriteFileBytes(keep, "<Options><Defaults><ListDeleteTaskAfterComplete>0</ListDeleteTaskAfterComplete>"
                         "</Defaults></Options>");
    const std::string list = Dir.File("tasks.qtl");
    const TOutcome listed = Run(
        {web.Url("/files/web.bin"), "-d", (Dir.Path() / "listed").string(), "--list", list, "--options", keep, "-q"});
    EXPECT_EQ(listed.ExitCode, 0) << listed.Errors;
    EXPECT_NE(ReadFileBytes(list).find("HTTP/1.1 200 OK"), std::string::npos);
    const TOutcome missing = Run({web.Url("/files/missing.bin"), "-d", out.string(), "-q", "--retries", "0"});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Errors.find("404 Not Found"), std::string::npos) << missing.Errors;
}

TEST_F(CliEndToEndTest, BadInputGivesAMessageAndAStatus)
{
    const std::string source = WriteRandomFile("a.bin", 1000);
    const std::string other = WriteRandomFile("b.bin", 1000);
    const std::string out = Dir.File("out");
    // The user's file, which is only read: left as it is.
    const std::string brokenOptions = Dir.File("broken.xml");
    WriteFileBytes(brokenOptions, "<Options><Defaults>");
    struct TCase {
        std::vector<std::string> Args;
        int ExitCode;
        std::string Fragment;  // of stderr
    };
    const TCase cases[] = {
        {{"gopher://host/f", "-d", out}, 2, "unknown link type"},
        {{Dir.File("missing.bin"), "-d", out}, 2, "missing.bin"},
        {{Dir.Path().string(), "-d", out}, 2, "folder"},
        {{source, "-d", source}, 2, "not a folder"},
        {{source, "-d", Dir.Path().string()}, 2, "its own copy"},
        {{"-o", "n.bin", source, other, "-d", out}, 2, "--name"},
        {{"-j", "many", source, "-d", out}, 2, "-j"},
        {{"--options", Dir.File("none.xml"), source, "-d", out}, 2, "none.xml"},
        {{"--options", brokenOptions, source, "-d", out}, 2, "cannot read " + brokenOptions},
        {{source, "-d", "/proc/quorvex-cli-test/out"}, 2, "cannot create /proc/quorvex-cli-test/out"},
    };
    for (const TCase& c : cases) {
        const TOutcome outcome = Run(c.Args);
        SCOPED_TRACE(testing::PrintToString(c.Args));
        EXPECT_EQ(outcome.Signal, 0);
        EXPECT_EQ(outcome.ExitCode, c.ExitCode) << outcome.Errors;
        EXPECT_NE(outcome.Errors.find(c.Fragment), std::string::npos) << outcome.Errors;
    }
    EXPECT_EQ(ReadFileBytes(brokenOptions), "<Options><Defaults>");
}

TEST_F(CliEndToEndTest, LinksLogInAndTheirPasswordsAreNeverShown)
{
    TFtpServer* ftp = nullptr;
    FindServerOrSkip(ftp);
    if (!ftp)
        return;
    const std::string login = ftp->UserName() + ":" + ftp->Password() + "@";
    const std::string port = std::to_string(ftp->Port());
    const std::string source = WriteRandomFile("mine.bin", 5000);
    const TOutcome upload =
        Run({source, "-d", "ftp://" + login + "127.0.0.1:" + port + ftp->UserDir().string() + "/", "-q"});
    EXPECT_EQ(upload.ExitCode, 0) << upload.Errors;
    EXPECT_EQ(ReadFileBytes(ftp->UserDir() / "mine.bin"), ReadFileBytes(source));

    // A refusal is told by its status alone, not by every header of the answer.
    TFaultyHttpServer web;
    TFaultyReply gone;
    gone.Status = 404;
    gone.Body = "<html>gone</html>";
    web.Serve("/gone.bin", gone);
    const std::string link = "http://" + login + web.Url("/gone.bin").substr(7);
    const TOutcome refused = Run({link, "-d", Dir.File("out"), "-q", "--retries", "0"});
    EXPECT_EQ(refused.ExitCode, 1) << refused.Errors;
    EXPECT_NE(refused.Errors.find("404"), std::string::npos) << refused.Errors;
    EXPECT_EQ(std::count(refused.Errors.begin(), refused.Errors.end(), '\n'), 1) << refused.Errors;

    for (const TOutcome& outcome : {upload, refused}) {
        EXPECT_NE(outcome.Errors.find(ftp->UserName() + ":***@"), std::string::npos) << outcome.Errors;
        EXPECT_EQ(outcome.Errors.find(ftp->Password()), std::string::npos) << outcome.Errors;
    }
}
