#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "tasks/DialogCountdown.h"
#include "tasks/OfferedPaths.h"
#include "tasks/TaskDialogModel.h"

#include <gtest/gtest.h>

namespace {

class AddingModelsTest : public ::testing::Test {
protected:
    AddingModelsTest() { Options() = TOptions{}; }
    ~AddingModelsTest() override { Options() = TOptions{}; }
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "|") + line;
    return text;
}

}  // namespace

TEST_F(AddingModelsTest, RememberedEntriesKeepTheMostRecentFirst)
{
    struct Case {
        std::vector<std::string> Entries;
        const char* Text;
        int MaxCount;
        const char* Expected;
    };
    // clang-format off
    const Case cases[] = {
        {{"/a", "/b"}, "/c", 8, "/c|/a|/b"},
        {{"/a", "/b", "/a"}, "/a", 8, "/a|/b"},   // every equal entry goes first
        {{"/a", "/b"}, "/A", 8, "/A|/a|/b"},      // compared with case
        {{"/a", "/b", "/c"}, "/d", 2, "/d|/a"},   // the oldest ones drop out
        {{"/a"}, "/d", 0, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<std::string> entries = c.Entries;
        RememberEntry(entries, c.Text, c.MaxCount);
        EXPECT_EQ(Joined(entries), c.Expected) << c.Text;
    }
}

TEST_F(AddingModelsTest, TheTaskDialogShowsThePropertiesAndReturnsWhatWasChosen)
{
    Options().ListSource = {"/s/old"};
    Options().ListDestination = {"/recent", "/old"};
    Options().ListDestination_MaxCount = 2;
    TTaskProp prop{.Source = "/s/f", .Name = "f", .TypeStart = tsShedule, .TrafficPriority = tpLowerPriority};
    TTaskDialogModel model(prop, true);
    // An empty destination shows the most recent one.
    EXPECT_EQ(model.DestinationText(), "/recent");
    EXPECT_FALSE(model.StartMode);  // no radio for a scheduled start

    model.SetDestinationText("/new");
    model.Priority = tpHigherPriority;
    model.UseByDefault = true;
    bool useByDefault = false;
    ASSERT_TRUE(model.Accept(prop, useByDefault));
    EXPECT_TRUE(useByDefault);
    EXPECT_EQ(prop.Destination, "/new");
    EXPECT_EQ(prop.Name, "");  // "save as" unticked
    EXPECT_EQ(prop.TypeStart, tsShedule);
    EXPECT_EQ(prop.TrafficPriority, tpHigherPriority);
    EXPECT_EQ(Joined(Options().ListDestination), "/new|/recent");
    EXPECT_EQ(Joined(Options().ListSource), "/s/f|/s/old");
}

TEST_F(AddingModelsTest, LoginsAreOfferedForServersOnly)
{
    struct Case {
        const char* Text;
        bool AsSource;
        bool AsDestination;
    };
    // clang-format off
    const Case cases[] = {
        {"\\\\srv\\share\\f", true, true}, {"ftp://h/f", true, true}, {"https://h/f", true, false},
        {"/home/u/f", false, false},       {"", false, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        TTaskProp prop{.Source = c.Text,
                       .Destination = c.Text,
                       .LoginToSource = true,
                       .UserLoginToSource = "old",
                       .LoginToDestination = true,
                       .UserLoginToDestination = "old"};
        TTaskDialogModel model(prop, true);
        EXPECT_EQ(model.SourceLoginEnabled(), c.AsSource);
        EXPECT_EQ(model.DestinationLoginEnabled(), c.AsDestination);
        // A disabled box is unticked, and stays so.
        model.SetSourceLogin(true);
        EXPECT_EQ(model.SourceLogin(), c.AsSource);
        EXPECT_EQ(model.DestinationLogin(), c.AsDestination);
        model.SourceUser = "new";
        model.DestinationUser = "new";
        bool useByDefault = false;
        // OK only with both texts.
        EXPECT_EQ(model.Accept(prop, useByDefault), *c.Text != '\0');
        if (*c.Text) {
            EXPECT_EQ(prop.LoginToSource, c.AsSource);
            // An unticked box leaves the user as it was.
            EXPECT_EQ(prop.UserLoginToSource, c.AsSource ? "new" : "old");
            EXPECT_EQ(prop.UserLoginToDestination, c.AsDestination ? "new" : "old");
        }
    }
}

TEST_F(AddingModelsTest, TheCountdownAnswersWhenTheTimeIsUp)
{
    SetMessageText("sButtonTimedOk", "OK (%d)");
    Options().DialogTimeout = 3;
    TDialogCountdown countdown;
    EXPECT_EQ(countdown.OkCaption(), "");
    EXPECT_FALSE(countdown.Tick());
    EXPECT_EQ(countdown.OkCaption(), "OK (2)");
    EXPECT_FALSE(countdown.Tick());
    EXPECT_TRUE(countdown.Tick());
    // No time at all: the first second ends it.
    EXPECT_TRUE(TDialogCountdown(0).Tick());
    ClearMessageTexts();
}

TEST_F(AddingModelsTest, DropsAndTheClipboardGiveTheFirstFormatWithPaths)
{
    using K = TOfferedKind;
    Options().bMonitorLocal = false;
    Options().bMonitorHTTP = true;
    Options().bMonitorFTP = true;
    struct Case {
        std::vector<TOfferedFormat> Formats;
        const char* Expected;
    };
    // clang-format off
    const Case cases[] = {
        // The offerer's order decides; a format without a line is passed over.
        {{{K::PlainText, "just words"}, {K::Url, " http://h/a%20b.zip \nTitle"}}, "http://h/a b.zip"},
        {{{K::FileList, "/x/f"}, {K::Url, "http://h/a"}}, "/x/f"},
        // Text keeps the links that clipboard monitoring takes, one a line.
        {{{K::PlainText, "ftp://h/1\r\n/local/file\r\nhttp://h/2?q=%20\r\n"}}, "ftp://h/1|http://h/2?q=%20"},
        {{{K::Url, "/local/file"}}, ""},
        {{{K::UriList, "# comment\r\nfile:///home/u/a%20b.txt\r\nfile://localhost/tmp/c\r\n"
                       "file://srv/share/d\r\nhttps://h/e\r\nmailto:x@y\r\n"}},
         "/home/u/a b.txt|/tmp/c|\\\\srv\\share\\d|https://h/e"},
        // File names keep their blanks.
        {{{K::FileList, " /x/lead\n/x/trail \n\n"}}, " /x/lead|/x/trail "},
        {{}, ""},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(Joined(ExtractOfferedPaths(c.Formats)), c.Expected);
}
