#include "cli/CliArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kWorkingFolder = "/work/dir";

using TArgs = std::vector<std::string>;

} // namespace

TEST(CliArgumentsTest, GoodCommandLinesGiveTheirValues)
{
    struct TCase {
        TArgs Args;
        std::vector<std::string> Sources;
        std::string Destination;
    };
    const TCase cases[] = {
        // Relative paths are taken from the working folder, which is also the default destination.
        {{"a.bin"}, {"/work/dir/a.bin"}, "/work/dir"},
        {{"../up/./a.bin", "-d", "out"}, {"/work/up/a.bin"}, "/work/dir/out"},
        {{"--dest=/dst/", "/src/a", "/src/b"}, {"/src/a", "/src/b"}, "/dst/"},
        // Share paths and links are kept as given.
        {{"\\\\srv\\share\\f.iso", "\\\\srv\\share\\g", "-d", "\\\\srv\\in"},
         {"\\\\srv\\share\\f.iso", "\\\\srv\\share\\g"},
         "\\\\srv\\in"},
        // After "--" everything is a SOURCE.
        {{"--", "-q", "--dest"}, {"/work/dir/-q", "/work/dir/--dest"}, "/work/dir"},
        // A list alone needs no SOURCE.
        {{"--list", "tasks.qtl"}, {}, "/work/dir"},
    };
    for (const TCase& c : cases) {
        const TCliParseResult result = ParseCliArguments(c.Args, kWorkingFolder);
        SCOPED_TRACE(testing::PrintToString(c.Args));
        EXPECT_EQ(result.Error, "");
        EXPECT_EQ(result.Arguments.Sources, c.Sources);
        EXPECT_EQ(result.Arguments.Destination, c.Destination);
    }
}

TEST(CliArgumentsTest, OptionsReachTheirFields)
{
    const TCliParseResult result = ParseCliArguments(
        {"-o", "copy.bin", "--source-user", "su", "--source-password", "sp", "--dest-user=du", "--dest-password",
         "dp", "-j", "7", "--list", "l.qtl", "--options", "o.xml", "--on-exists", "resume", "--retries", "0",
         "--retry-pause", "10000", "--ftp-mode", "active", "-q", "a"},
        kWorkingFolder);
    ASSERT_EQ(result.Error, "");
    const TCliArguments& a = result.Arguments;
    EXPECT_EQ(a.Name, "copy.bin");
    EXPECT_EQ(a.SourceUser, "su");
    EXPECT_EQ(a.SourcePassword, "sp");
    EXPECT_EQ(a.DestUser, "du");
    EXPECT_EQ(a.DestPassword, "dp");
    EXPECT_EQ(a.MaxActive, 7);
    EXPECT_EQ(a.ListFile, "l.qtl");
    EXPECT_EQ(a.OptionsFile, "o.xml");
    EXPECT_EQ(a.OnExists, efAddTo);
    EXPECT_EQ(a.Retries, 0);
    EXPECT_EQ(a.RetryPause, 10000);
    EXPECT_TRUE(a.Quiet);
    EXPECT_FALSE(a.PassiveFtp);

    // Left out, the values come from the options file.
    const TCliArguments defaults = ParseCliArguments({"a"}, kWorkingFolder).Arguments;
    EXPECT_FALSE(defaults.MaxActive || defaults.OnExists || defaults.Retries || defaults.RetryPause);
    // Passive FTP, as other command-line clients: active mode fails behind firewalls and NAT.
    EXPECT_TRUE(defaults.PassiveFtp);
    EXPECT_TRUE(ParseCliArguments({"--ftp-mode=passive", "a"}, kWorkingFolder).Arguments.PassiveFtp);
    EXPECT_TRUE(ParseCliArguments({"a", "--help", "--bogus"}, kWorkingFolder).Arguments.Help);
}

TEST(CliArgumentsTest, BadCommandLinesSayWhatIsWrong)
{
    struct TCase {
        TArgs Args;
        std::string Fragment;  // of the error text
    };
    const TCase cases[] = {
        {{}, "no SOURCE"},
        {{"-q"}, "no SOURCE"},
        {{""}, "empty path"},
        {{"gopher://host/f"}, "unknown link type"},
        {{"a", "-d", "https://host/in/"}, "web servers take no uploads"},
        {{"C:\\data\\f"}, "drive paths"},
        {{"a", "-d", "C:\\in"}, "--dest"},
        {{"-o", "n", "a", "b"}, "exactly one SOURCE"},
        {{"-o", "n", "--list", "l.qtl"}, "exactly one SOURCE"},
        {{"-o", "sub/n", "a"}, "not a path"},
        {{"-o", "..", "a"}, "not a path"},
        {{"-j", "0", "a"}, "-j"},
        {{"--max-active", "1001", "a"}, "--max-active"},
        {{"-j", "3x", "a"}, "-j"},
        {{"--retries", "-1", "a"}, "--retries"},
        {{"--retry-pause=", "a"}, "--retry-pause"},
        {{"--retry-pause", "99999999999", "a"}, "--retry-pause"},
        {{"--on-exists", "ask", "a"}, "--on-exists"},
        {{"--ftp-mode", "PASV", "a"}, "--ftp-mode"},
        {{"--bogus", "a"}, "unknown option: --bogus"},
        {{"-x", "a"}, "unknown option: -x"},
        {{"a", "-d"}, "-d needs a value"},
    };
    for (const TCase& c : cases) {
        const std::string error = ParseCliArguments(c.Args, kWorkingFolder).Error;
        EXPECT_NE(error.find(c.Fragment), std::string::npos) << testing::PrintToString(c.Args) << " gave " << error;
    }
}

TEST(CliArgumentsTest, HostOptionsTakeAFileAndALimitUpTo100)
{
    const TCliParseResult result = ParseCliArguments({"--hosts", "h.xml", "--max-per-host=0", "a"}, kWorkingFolder);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(result.Arguments.HostsFile, "h.xml");
    EXPECT_EQ(result.Arguments.MaxPerHost, 0);
    EXPECT_FALSE(ParseCliArguments({"a"}, kWorkingFolder).Arguments.MaxPerHost);
    // Without its own value the limit per server follows -j; past 100 -j alone limits.
    const struct {
        std::vector<std::string> Args;
        int MaxPerHost;
    } follows[] = {{{"-j", "5", "a"}, 5}, {{"-j", "101", "a"}, 0}, {{"-j", "5", "--max-per-host", "2", "a"}, 2},
                   {{"--max-per-host", "2", "-j", "5", "a"}, 2}};
    for (const auto& c : follows)
        EXPECT_EQ(ParseCliArguments(c.Args, kWorkingFolder).Arguments.MaxPerHost, c.MaxPerHost)
            << testing::PrintToString(c.Args);
    for (const char* bad : {"101", "-1", "two"}) {
        const std::string error = ParseCliArguments({"--max-per-host", bad, "a"}, kWorkingFolder).Error;
        EXPECT_NE(error.find("--max-per-host"), std::string::npos) << bad;
    }
}
