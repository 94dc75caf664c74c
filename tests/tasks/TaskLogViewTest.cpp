#include "tasks/TaskLogView.h"
#include "config/Options.h"
#include "core/Clock.h"
#include "core/DisplayFormats.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Column(const TTaskLogView& view, int column)
{
    std::vector<std::string> texts;
    for (const TLogRow& row : view.Rows())
        texts.push_back(LogColumnText(row, column));
    return texts;
}

using TTexts = std::vector<std::string>;

} // namespace

TEST(TaskLogViewTest, ShowsTheFocusedSelectedTaskAndPicksUpItsNewEntriesOnTheTick)
{
    TTaskBed bed;
    TManagerTask& manager = bed.OpenManager();
    TTaskItem& a = bed.AddTask("/a", "/d", stateStopped);
    bed.AddTask("/b", "/d", stateErrorStopped);
    a.Log.SetLineMax(3);
    for (const char* text : {"1", "2", "3", "4"})
        a.Log.Add(2, text);
    TTaskLogView& view = manager.LogView();
    int changes = 0;
    view.OnChanged = [&] { ++changes; };

    manager.Rows().Focus(0);
    manager.ShowFocusedLog();
    EXPECT_EQ(view.ShownLog(), nullptr) << "the focused row is not selected";
    manager.Rows().Select(0);
    manager.ShowFocusedLog();
    ASSERT_EQ(view.ShownLog(), &a.Log);
    EXPECT_EQ(Column(view, 3), (TTexts{"2", "3", "4"}));
    EXPECT_EQ(Column(view, 0), (TTexts{"1", "2", "3"}));
    changes = 0;
    manager.ShowFocusedLog();
    EXPECT_EQ(changes, 0) << "the log already shown is not rebuilt";

    // The view keeps the row of an entry that the limit drops until it is rebuilt.
    a.Log.Add(4, "5");
    EXPECT_EQ(view.Rows().size(), 3u);
    manager.Tick();
    EXPECT_EQ(Column(view, 3), (TTexts{"2", "3", "4", "5"}));
    EXPECT_EQ(view.Rows().back().Code, 4);

    manager.SetStatusFilter(stateErrorStopped);
    EXPECT_EQ(view.ShownLog(), nullptr) << "the filter hides the focused row";
    manager.SetStatusFilter({});
    ASSERT_EQ(view.ShownLog(), &a.Log);
    // Deleting the task leaves the view without its log, never with a freed one.
    Options().bdsAllSelectedTaskDelete = true;
    manager.DeleteSelected();
    EXPECT_EQ(view.ShownLog(), nullptr);
    EXPECT_TRUE(view.Rows().empty());
}

TEST(TaskLogViewTest, ClearAsksUnlessSilencedAndLaterEntriesCountFromOne)
{
    const struct {
        bool silenced;
        TScriptedDialogs::TCheckAnswer answer;
        bool cleared;
        bool silencedAfter;
    } cases[] = {
        {false, {TModalResult::OK, false}, true, false},
        {false, {TModalResult::OK, true}, true, true},
        {false, {TModalResult::Cancel, true}, false, false},
        {true, {}, true, true},
    };
    for (const auto& c : cases) {
        TTaskBed bed;
        // Entries read from the list file have rows as well as added ones.
        pugi::xml_document doc;
        doc.load_string("<LogList><LogItem><Text>old</Text></LogItem></LogList>");
        TLogList log;
        log.ReadFromNode(doc.document_element());
        TTaskLogView view(bed.Dialogs, bed.Desktop);
        view.ShowLog(&log);
        ASSERT_EQ(view.Rows().size(), 1u);
        Options().bdsClearLog = c.silenced;
        if (!c.silenced)
            bed.Dialogs.CheckBoxAnswers.push_back(c.answer);
        view.ClearLog();
        EXPECT_EQ(bed.Dialogs.Asked.size(), c.silenced ? 0u : 1u);
        EXPECT_EQ(log.Count(), c.cleared ? 0 : 1);
        EXPECT_EQ(view.Rows().size(), c.cleared ? 0u : 1u);
        EXPECT_EQ(Options().bdsClearLog, c.silencedAfter);
        log.Add(2, "new");
        view.Refresh();
        EXPECT_EQ(Column(view, 0).back(), c.cleared ? "1" : "2");
    }
}

TEST(TaskLogViewTest, CopiesTheSelectedRowsAsShownTopToBottom)
{
    TTaskBed bed;
    TLogList log;
    for (const char* text : {"a", "b", "c"})
        log.Add(2, text);
    TTaskLogView view(bed.Dialogs, bed.Desktop);
    view.ShowLog(&log);
    EXPECT_FALSE(view.CanCopy());
    view.SetSort(3, false);
    view.Select(0);
    view.Select(2);
    ASSERT_TRUE(view.CanCopy());
    view.CopyToClipboard();
    const TLogRow& c = view.Rows()[0];
    const TLogRow& a = view.Rows()[2];
    EXPECT_EQ(bed.Desktop.Clipboard, "3 | " + FormatDate(c.Time) + " | " + FormatTime(c.Time) + " | c\r\n1 | "
                                         + FormatDate(a.Time) + " | " + FormatTime(a.Time) + " | a");
}

TEST(TaskLogViewTest, FollowsNewRowsOnlyWhenOnAndAscending)
{
    const struct {
        bool autoScroll;
        bool ascending;
        std::vector<int> scrolled;  // after the rebuild, then after one row more
    } cases[] = {
        {true, true, {1, 2}},
        {true, false, {}},
        {false, true, {}},
    };
    for (const auto& c : cases) {
        TTaskBed bed;
        Options().bTaskLogAutoScroll = c.autoScroll;
        TLogList log;
        log.Add(2, "first");
        log.Add(2, "second");
        TTaskLogView view(bed.Dialogs, bed.Desktop);
        std::vector<int> scrolled;
        view.OnScrollTo = [&](int row) { scrolled.push_back(row); };
        view.SetSort(0, c.ascending);
        view.ShowLog(&log);
        log.Add(2, "third");
        view.Refresh();
        EXPECT_EQ(scrolled, c.scrolled);
        EXPECT_EQ(view.CanToggleAutoScroll(), c.ascending);
        // Descending, new entries come in at the top.
        EXPECT_EQ(LogColumnText(view.Rows().front(), 3), c.ascending ? "first" : "third");
    }
}

TEST(TaskLogViewTest, ColumnsSortByIndexTimeToTheMillisecondAndOrdinalText)
{
    const double day = 46000.5;
    const double ms = 1.0 / kMillisecondsPerDay;
    const struct {
        TLogRow a, b;
        int column;
        bool less, greater;
    } cases[] = {
        {{1, 0, {}, "x"}, {9, 0, {}, "a"}, 0, true, false},
        {{0, 0, {day}, ""}, {0, 0, {day + 0.4 * ms}, ""}, 1, false, false},
        {{0, 0, {day}, ""}, {0, 0, {day + 2 * ms}, ""}, 2, true, false},
        {{0, 0, {}, "B"}, {0, 0, {}, "a"}, 3, true, false},
        {{0, 0, {}, "z"}, {0, 0, {}, "\xC3\xA9"}, 3, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogColumnLess(c.a, c.b, c.column), c.less) << c.column;
        EXPECT_EQ(LogColumnLess(c.b, c.a, c.column), c.greater) << c.column;
    }

    TTaskBed bed;
    TTaskLogView view(bed.Dialogs, bed.Desktop);
    view.ClickColumn(0);
    EXPECT_FALSE(view.SortAscending()) << "the sorted column turns round";
    view.ClickColumn(3);
    EXPECT_EQ(view.SortColumn(), 3);
    EXPECT_TRUE(view.SortAscending()) << "another column sorts ascending";
}
