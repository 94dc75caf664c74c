#include "RecordBed.h"

#include "config/Options.h"
#include "records/FindDialog.h"
#include "records/RecordColumns.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The three pages, each with the records a, b and c: rows "c b a" with a and b selected
// (b alone on the scheduler page).
struct TPages {
    explicit TPages(TRecordBed& bed)
        : History(bed.Environment, {}), Bin(bed.Environment, {}), Scheduler(bed.Environment, {})
    {
        for (const char* name : {"a", "b", "c"}) {
            History.AddToHistory(bed.Record(name));
            Bin.AddToRecycleBin(bed.Record(name));
            Scheduler.Scheduler().Add().Name = name;
            Scheduler.Rows().Add(&Scheduler.Scheduler()[Scheduler.Scheduler().Count() - 1]);
        }
        SelectNames(History.Rows(), "a b");
        SelectNames(Bin.Rows(), "a b");
        Scheduler.Rows().Select(1);
    }
    std::string SchedulerNames() const
    {
        std::string names;
        for (int i = 0; i < Scheduler.Scheduler().Count(); ++i)
            names += Scheduler.Scheduler()[i].Name;
        return names;
    }

    THistoryManager History;
    TRecycleBinManager Bin;
    TSchedulerManager Scheduler;
};

class RecordCommandsTest : public ::testing::Test {
protected:
    TRecordBed Bed;
    TPages Pages{Bed};
    THistoryManager& History = Pages.History;
};

} // namespace

TEST_F(RecordCommandsTest, ConfirmedCommandsActOnOkAndStopAskingOnceTicked)
{
    using TPage = std::function<std::string(TPages&)>;
    const TPage history = [this](TPages& p) { return RowNames(p.History.Rows()) + "|" + Bed.Adding.Added; };
    const TPage bin = [this](TPages& p) { return RowNames(p.Bin.Rows()) + "|" + Bed.Adding.Added; };
    const TPage scheduler = [](TPages& p) { return p.SchedulerNames(); };
    const std::string restored = "c b a|/src/b>/dst/b /src/a>/dst/a ";  // in view order, the records stay
    const std::tuple<const char*, bool TOptions::*, std::function<void(TPages&)>, TPage, std::string> cases[] = {
        {"sAllSelectedHistoryReloaded", &TOptions::bdsAllSelectedHistoryReloaded,
         [](TPages& p) { p.History.ReloadSelectedAfterConfirmation(); }, history, restored},
        {"sAllSelectedHistoryDelete", &TOptions::bdsAllSelectedHistoryDelete,
         [](TPages& p) { p.History.DeleteSelectedAfterConfirmation(); }, history, "c|"},
        {"sHistoryClear", &TOptions::bdsAllHistoryDelete, [](TPages& p) { p.History.ClearAfterConfirmation(); },
         history, "|"},
        {"sAllSelectedRecycleBinReloaded", &TOptions::bdsAllSelectedRecycleBinReloaded,
         [](TPages& p) { p.Bin.RestoreSelectedAfterConfirmation(); }, bin, restored},
        {"sAllSelectedRecycleBinDelete", &TOptions::bdsAllSelectedRecycleBinDelete,
         [](TPages& p) { p.Bin.DeleteSelectedAfterConfirmation(); }, bin, "c|"},
        {"sRecycleBinClear", &TOptions::bdsAllRecycleBinDelete, [](TPages& p) { p.Bin.ClearAfterConfirmation(); },
         bin, "|"},
        {"sAllSelectedSchedulerDelete", &TOptions::bdsAllSelectedSchedulerDelete,
         [](TPages& p) { p.Scheduler.DeleteSelectedAfterConfirmation(); }, scheduler, "ac"},
        {"sSchedulerClear", &TOptions::bdsSchedulerClear, [](TPages& p) { p.Scheduler.ClearAfterConfirmation(); },
         scheduler, ""},
        // Running a scheduled item asks, then does nothing.
        {"sSchedulerStartImmediatelly", &TOptions::bdsSchedulerStartImmediatelly,
         [](TPages& p) { p.Scheduler.ExecuteSelectedAfterConfirmation(); }, scheduler, "abc"},
    };
    for (const auto& [message, flag, command, state, after] : cases) {
        SCOPED_TRACE(message);
        Options() = TOptions{};
        Bed.Adding.Added.clear();
        Bed.Tasks.Shell.Calls.clear();
        Bed.Tasks.Dialogs.Asked.clear();
        TPages pages(Bed);
        const std::string before = state(pages);
        // Cancel with the box ticked: nothing happens, and the question stays.
        Bed.Tasks.Dialogs.CheckBoxAnswers = {{TModalResult::Cancel, true}, {TModalResult::OK, true}};
        command(pages);
        EXPECT_EQ(state(pages), before);
        EXPECT_FALSE(Options().*flag);
        // OK with the box ticked acts and silences the question.
        command(pages);
        EXPECT_EQ(state(pages), after);
        EXPECT_TRUE(Options().*flag);
        EXPECT_EQ(Bed.Tasks.Dialogs.Asked, std::vector<std::string>(2, std::string("CheckWarning:") + message));
        EXPECT_EQ(Bed.Tasks.Shell.Count("ShowTaskPage"), after == restored ? 1 : 0);
    }
}

TEST_F(RecordCommandsTest, CommandsActOnTheSelectedShownRowsInViewOrder)
{
    Options().bdsAllSelectedHistoryReloaded = Options().bdsAllHistoryDelete = true;
    History.SortRows(0, false);  // "a b c"
    History.SetTextFilter("[ac]*");  // b hides: only a takes part
    History.ReloadSelectedAfterConfirmation();
    EXPECT_EQ(Bed.Adding.Added, "/src/a>/dst/a ");
    History.CopyDestinationsToClipboard();
    EXPECT_EQ(Bed.Tasks.Desktop.Clipboard, "/dst/a\r\n");
    History.OpenSelectedFiles();
    History.OpenSelectedDestinations();
    History.OpenSelectedSources();
    EXPECT_EQ(Bed.Tasks.Desktop.ShellOpened, std::vector<std::string>{"/dst/a/a"});
    EXPECT_EQ(Bed.Tasks.Desktop.Opened, (std::vector<std::string>{"/dst/a/", "/src/"}));
    History.DoubleClickSelected();  // the properties, unless DblClickComplete is 1
    ASSERT_EQ(Bed.RecordDialogs.Shown.size(), 1u);
    EXPECT_EQ(Bed.RecordDialogs.Shown[0].OpenPath, "/dst/a/a");
    EXPECT_EQ(History.TotalSizeShown(), 2);

    // Nothing shown: clearing does nothing, not even ask.
    History.SetTextFilter("none");
    History.ClearAfterConfirmation();
    EXPECT_EQ(History.History().Count(), 3);

    // Scheduler items are never made: adding only says so.
    Bed.Tasks.Dialogs.MessageBoxAnswers = {TModalResult::OK};
    Pages.Scheduler.AddItem();
    EXPECT_EQ(Bed.Tasks.Dialogs.Asked, std::vector<std::string>{"Information:sNotImplemented"});
    EXPECT_EQ(Pages.SchedulerNames(), "abc");

    Pages.Bin.CopySourcesToClipboard();
    EXPECT_EQ(Bed.Tasks.Desktop.Clipboard, "/src/b\r\n/src/a\r\n");
}

TEST_F(RecordCommandsTest, FindWalksTheShownRowsAndForgetsDeletedOnes)
{
    History.Clear();
    for (const char* name : {"x2", "y", "x1"})
        History.AddToHistory(Bed.Record(name));
    auto selected = [this] { return RowNames(History.Rows(), [](const auto& r) { return r.Selected; }); };
    TFindDialogModel dialog(FindTargetOf(History));
    dialog.Text = "X";
    dialog.InSource = dialog.InDestination = false;
    dialog.FindNext();
    dialog.FindNext();
    EXPECT_EQ(selected(), "x2");
    dialog.SelectAll();
    EXPECT_EQ(selected(), "x1 x2");
    dialog.FindNext();  // the first search after "select all" starts at the top
    EXPECT_EQ(selected(), "x1");
    EXPECT_EQ(Options().ListFinded, std::vector<std::string>{"X"});

    // The last found record deleted: the next search does not go on from it.
    Options().bdsAllSelectedHistoryDelete = true;
    History.DeleteSelectedAfterConfirmation();
    Bed.Tasks.Dialogs.MessageBoxAnswers = {TModalResult::OK, TModalResult::OK};
    History.FindNext("none", ffName);
    EXPECT_EQ(Bed.Tasks.Dialogs.Asked, std::vector<std::string>{"Information:sNoFindedItem"});

    // Hidden rows are not found; destinations are searched by their flag.
    History.SetTextFilter("y");
    History.FindAll("x", ffName | ffSource);
    EXPECT_EQ(History.CountSelected(), 0);
    History.FindAll("DST/Y", ffDestination);
    EXPECT_EQ(selected(), "y");
}

TEST_F(RecordCommandsTest, ColumnsShowTimeAndSpeedAndSortSizesAs64Bits)
{
    TTaskRecord record = Bed.Record("r", 0, int64_t(5) << 30);
    record.TimeDownloaded = 999;
    const THistoryItem big(record);
    record.Size = 1000;
    record.TimeDownloaded = 4000;
    const THistoryItem slow(record);
    record.Size = -1;  // never known
    const THistoryItem unknown(record);
    EXPECT_EQ(HistoryColumnText(big, 4), "<0:00:01");  // below a second
    EXPECT_EQ(HistoryColumnText(slow, 4), "0:00:04");
    EXPECT_EQ(slow.Speed(), 2000);
    EXPECT_EQ(unknown.Speed(), 0);
    EXPECT_TRUE(HistoryColumnLess(slow, big, 1));
    EXPECT_FALSE(HistoryColumnLess(big, slow, 1));
    const std::string hint = HistoryRowHint(slow, {"Name", "Size"});
    EXPECT_EQ(hint.substr(0, hint.find("\r\n", 12)), "Name: r\r\nSize: 1000 sSizeByte");
    EXPECT_EQ(std::count(hint.begin(), hint.end(), '\n'), kHistoryColumnCount - 1);
}

TEST_F(RecordCommandsTest, ASortKeepsTheFocusAndUnsortedIsTheListsOwnOrder)
{
    // Rows "c b a", newest first; a click on the name column, on it again, and once more.
    const std::pair<int, const char*> clicks[] = {{0, "a b c"}, {0, "c b a"}, {0, "c b a"},
                                                  {1, "c b a"}, {0, "a b c"}, {0, "c b a"}};
    History.Rows().Focus(History.Rows().IndexOf(&History.History()[2]));  // a
    for (const auto& [column, rows] : clicks) {
        History.ClickColumn(column);
        EXPECT_EQ(RowNames(History.Rows()), rows) << column;
        EXPECT_EQ(History.InfoSubject()->Name(), "a");  // the focus follows its record
    }
    History.SortRows(0, false);
    History.SortRows(-1, false);
    EXPECT_EQ(RowNames(History.Rows()), "c b a");
}

TEST_F(RecordCommandsTest, HeaderClicksSortTheRecycleBinBySizeAndDeletionTime)
{
    TRecycleBinManager bin(Bed.Environment, {});
    for (const auto& [name, size] : {std::pair{"a", 3}, {"b", 1}, {"c", 2}})
        bin.AddToRecycleBin(Bed.Record(name, 0, size));  // newest first: "c b a"
    const std::pair<int, std::string> clicks[] = {
        {1, "b c a"}, {1, "a c b"}, {1, "c b a"},  // sizes up, down, then unsorted
        {0, "a b c"}, {1, "b c a"}, {5, "a b c"}, {5, "c b a"}, {5, "c b a"},
    };
    for (const auto& [column, names] : clicks) {
        bin.ClickColumn(column);
        EXPECT_EQ(RowNames(bin.Rows()), names) << "column " << column;
    }
    // Row hints only while the option asks for them.
    EXPECT_NE(RecycleBinRowHint(bin.RecycleBin()[0], {"Name"}), "");
    Options().bShowHintForListView = false;
    EXPECT_EQ(RecycleBinRowHint(bin.RecycleBin()[0], {"Name"}), "");
    EXPECT_EQ(SchedulerRowHint(Pages.Scheduler.Scheduler()[0], {"Name"}), "");
}
