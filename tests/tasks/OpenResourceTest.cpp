#include "tasks/OpenResource.h"
#include "config/Options.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TLaunch = TRecordingDesktop::TLaunch;
using TArgs = std::vector<std::string>;

// A name that a shell would turn into commands.
const std::string kHostile = "/dl/it's \"a b\" $(touch x) `id`;.txt";

} // namespace

TEST(OpenResourceTest, EachKindOpensWithItsOwnChoice)
{
    TOpenSettings settings;
    settings.LAN = {true, "/usr/bin/fm", "--select %PATH%"};
    settings.HTTP = {true, "browser", "-new %PATH%"};
    TOpenSettings none;
    TOpenSettings unnamed;
    unnamed.FTP = {true, "", "%PATH%"};
    const struct {
        const TOpenSettings& settings;
        std::string resource;
        std::vector<TLaunch> expected;
    } cases[] = {
        {settings, "/home/u/dl/", {{"/usr/bin/fm", {"--select", "/home/u/dl/"}}}},
        {settings, "\\\\srv\\share\\a b\\", {{"/usr/bin/fm", {"--select", "smb://srv/share/a%20b"}}}},
        {none, "\\\\srv\\share\\dir", {{"", {"smb://srv/share/dir"}}}},
        {settings, "ftp://h/pub/", {{"", {"ftp://h/pub/"}}}},
        {settings, "http://h/f", {{"browser", {"-new", "http://h/f"}}}},
        {none, "https://h/f", {{"", {"https://h/f"}}}},
        {unnamed, "ftp://h/pub/", {{"", {"ftp://h/pub/"}}}},
        {settings, "relative/dir", {}},
        {none, "", {}},
    };
    for (const auto& c : cases) {
        TRecordingDesktop desktop;
        OpenResourceNow(desktop, c.resource, c.settings);
        EXPECT_EQ(desktop.Launches(), c.expected) << c.resource;
    }
}

TEST(OpenResourceTest, TemplateWordsTakeTheResourceAsPlainText)
{
    const struct {
        const char* key;
        std::string resource;
        TArgs expected;
    } cases[] = {
        {"%PATH%", kHostile, {kHostile}},
        {"\"%PATH%\"", kHostile, {kHostile}},
        {"-a \"two words\"  --file=%PATH% %PATH%%PATH%", "r s", {"-a", "two words", "--file=r s", "r sr s"}},
        {"%PATH%", "keeps %PATH% as it is", {"keeps %PATH% as it is"}},
        {"--new-window", "/x", {"--new-window"}},
        {"\"\" %path%", "/x", {"", "%path%"}},
        {"", "/x", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandArguments(c.key, c.resource), c.expected) << c.key;
}

TEST(OpenResourceTest, OpenerWorksInTheBackgroundOnACopyOfTheOptions)
{
    TRecordingDesktop desktop;
    Options().bOtherProgramLAN = true;
    Options().sOtherProgramLAN = "/usr/bin/viewer";
    {
        TResourceOpener opener(desktop);
        opener.OpenResource(kHostile);
        opener.OpenResource("not a link");
        // The opening threads read none of this.
        Options() = TOptions{};
        opener.OpenResource("ftp://h/");
        opener.Wait();
        opener.OpenFile("\\\\srv\\share\\f.txt");
    }
    std::vector<TLaunch> launches = desktop.Launches();
    // The threads may finish in any order.
    std::sort(launches.begin(), launches.end(),
              [](const TLaunch& a, const TLaunch& b) { return a.Arguments < b.Arguments; });
    EXPECT_EQ(launches, (std::vector<TLaunch>{
                            {"/usr/bin/viewer", {kHostile}},
                            {"", {"ftp://h/"}},
                            {"", {"smb://srv/share/f.txt"}},
                        }));
}
