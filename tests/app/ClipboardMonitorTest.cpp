#include "app/ClipboardMonitor.h"

#include "config/Options.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

class TAddingLog : public ITaskAdding {
public:
    void AddFileList(const std::vector<std::string>& sources, const std::vector<std::string>& folders,
                     bool silent) override
    {
        EXPECT_TRUE(folders.empty());
        EXPECT_FALSE(silent);
        for (const std::string& source : sources)
            Added.push_back(source);
    }
    std::vector<std::string> Added;
};

std::optional<std::vector<TOfferedFormat>> Text(const std::string& text)
{
    return std::vector<TOfferedFormat>{{TOfferedKind::PlainText, text}};
}

}  // namespace

TEST(ClipboardMonitorTest, TakesEachTextOnceUnlessPasted)
{
    const TOptions saved = Options();
    Options() = TOptions();
    TRecordingShell shell;
    TAddingLog adding;
    TScriptedDialogs dialogs;
    TClipboardMonitor monitor(shell, adding, dialogs);
    const std::string link = "http://h/a.zip";
    // Each step: the read, and what it hands to the adding flow.
    // clang-format off
    const struct {
        const char* Name;
        std::optional<std::vector<TOfferedFormat>> Formats;
        bool Paste;
        TClipboardOutcome Outcome;
        std::vector<std::string> Added;
    } steps[] = {
        {"a link", Text(link), false, TClipboardOutcome::Added, {link}},
        {"the same link again", Text(link), false, TClipboardOutcome::Nothing, {}},
        {"unreadable", std::nullopt, false, TClipboardOutcome::Nothing, {}},
        {"plain text, silently", Text("hello"), false, TClipboardOutcome::Nothing, {}},
        {"the link after other text", Text(link), false, TClipboardOutcome::Added, {link}},
        {"pasted although handled", Text(link), true, TClipboardOutcome::Added, {link}},
        {"a page nobody filters for", Text("http://h/index.html"), false, TClipboardOutcome::Nothing, {}},
        {"the page pasted", Text("http://h/index.html"), true, TClipboardOutcome::Added, {"http://h/index.html"}},
        {"plain text pasted", Text("hello"), true, TClipboardOutcome::NoValidPaths, {}},
        {"uri list", std::vector<TOfferedFormat>{{TOfferedKind::UriList, "ftp://m/x.TAR\r\nhttp://m/y.txt\r\n"}},
         false, TClipboardOutcome::Added, {"ftp://m/x.TAR"}},
    };
    // clang-format on
    for (const auto& step : steps) {
        adding.Added.clear();
        shell.Calls.clear();
        dialogs.Asked.clear();
        if (step.Outcome == TClipboardOutcome::NoValidPaths)
            dialogs.MessageBoxAnswers.push_back(TModalResult::OK);
        const TClipboardRead read = step.Paste ? monitor.Paste(step.Formats) : monitor.ClipboardChanged(step.Formats);
        EXPECT_EQ(read.Outcome, step.Outcome) << step.Name;
        EXPECT_EQ(adding.Added, step.Added) << step.Name;
        EXPECT_EQ(shell.Count("ShowTaskPage"), step.Added.empty() ? 0 : 1) << step.Name;
        EXPECT_EQ(dialogs.Asked.size(), step.Outcome == TClipboardOutcome::NoValidPaths ? 1u : 0u) << step.Name;
    }
    Options() = saved;
}

TEST(ClipboardMonitorTest, FilterTakesMonitoredKindsAndListedExtensions)
{
    const TOptions saved = Options();
    // clang-format off
    const struct {
        const char* Line;
        bool FilterOn;
        bool Passes;
    } cases[] = {
        {"http://h/dir/Setup.EXE", true, true},
        {"http://h/dir/a.r01", true, true},           // a word with a wildcard
        {"http://h/dir/page.html", true, false},
        {"http://h/dir/page.html", false, true},
        {"ftp://h/pub/x.tar.gz", true, true},
        {"/home/u/a.zip", true, false},               // local paths are not monitored by default
        {"\\\\srv\\share\\a.zip", true, true},
        {"just words.zip", false, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        Options() = TOptions();
        Options().bFilterClipboard = c.FilterOn;
        EXPECT_EQ(PassesClipboardFilter(c.Line), c.Passes) << c.Line << " " << c.FilterOn;
    }
    Options() = TOptions();
    EXPECT_TRUE(TClipboardMonitor::ShouldMonitor(false, false));
    EXPECT_FALSE(TClipboardMonitor::ShouldMonitor(true, false));
    EXPECT_FALSE(TClipboardMonitor::ShouldMonitor(false, true));
    Options().bMonitorClipboard = false;
    EXPECT_FALSE(TClipboardMonitor::ShouldMonitor(false, false));
    Options() = saved;
}
