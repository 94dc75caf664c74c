#include "tasks/TaskColumns.h"
#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

namespace {

using TTexts = std::vector<std::string>;

class TaskColumnsTest : public ::testing::Test {
protected:
    TTaskBed Bed;
    TManagerTask& Manager = Bed.OpenManager();

    TTaskItem& Add(const std::string& name, int64_t size)
    {
        TTaskItem& task = Bed.AddTask("/src/" + name, "/dst", stateStopped);
        task.Size = size;
        return task;
    }
    TTexts Names() const
    {
        TTexts names;
        for (int i = 0; i < Manager.Tasks().Count(); ++i)
            names.push_back(Manager.Tasks()[i].Name());
        return names;
    }
};

} // namespace

TEST_F(TaskColumnsTest, CellsOfAStoppedTaskAndOfAnUnknownSize)
{
    Options().iSizeType = suByte;
    TTaskItem& task = Add("a.bin", -1);
    task.Loaded = 0;
    task.Retry = 2;
    const TTexts expected = {"a.bin", "1", "", "? sSizeByte", "0 sSizeByte", "0%", FormatDateTime(task.TimeCreated),
                             "", "", "0 sSpeedBit", "2", "/src/a.bin", "/dst"};
    for (int column = 0; column < kTaskColumnCount; ++column)
        EXPECT_EQ(TaskColumnText(task, column), expected[std::size_t(column)]) << "column " << column;
    EXPECT_EQ(TaskColumnText(task, kTaskColumnCount), "");
}

TEST_F(TaskColumnsTest, ClickedColumnsSortAndTheListOrderFollows)
{
    Add("b", 1LL << 30);
    Add("C", 3LL << 30);  // beyond 32 bits
    Add("a", -1);
    struct TCase {
        int Column;
        TTexts Order;  // after the click
    };
    const TCase cases[] = {
        {3, {"a", "b", "C"}},   // ascending first, the unknown size lowest
        {3, {"C", "b", "a"}},   // the second click turns the direction
        {0, {"a", "b", "C"}},   // another column: ascending, ignoring case
        {0, {"C", "b", "a"}},
        {0, {"a", "b", "C"}},   // never back to no sort column
        {1, {"a", "b", "C"}},   // the number keeps the list order
    };
    TTaskListSort sort;
    for (const TCase& c : cases) {
        sort.Click(c.Column);
        SortTaskList(Manager, sort);
        EXPECT_EQ(Names(), c.Order) << "column " << c.Column;
        EXPECT_EQ(Manager.Rows().Records()[0], &Manager.Tasks()[0]) << "rows follow the list";
    }
}

TEST_F(TaskColumnsTest, ColumnsCompareWhatTheyShow)
{
    TTaskItem& a = Add("x", 100);
    TTaskItem& b = Add("y", 100);
    a.Loaded = 9;
    b.Loaded = 10;  // "9" > "10" as text
    a.Retry = 9;
    b.Retry = 10;
    a.TimeCreated = EncodeDateTime(2026, 1, 2, 0, 0, 0);
    b.TimeCreated = EncodeDateTime(2026, 1, 1, 0, 0, 0);
    a.TrafficPriority = tpHighestPriority;
    b.TrafficPriority = tpLowestPriority;
    EXPECT_TRUE(TaskColumnLess(a, b, 4));
    EXPECT_TRUE(TaskColumnLess(a, b, 10));
    EXPECT_TRUE(TaskColumnLess(b, a, 6)) << "the creation time, as the column shows";
    EXPECT_TRUE(TaskColumnLess(b, a, 2));
    EXPECT_TRUE(TaskColumnLess(a, b, -1)) << "no sort column: the list order";
    EXPECT_FALSE(TaskColumnLess(b, a, -1));
}

TEST_F(TaskColumnsTest, HintAndInformationListNameThePriority)
{
    TTaskItem& task = Add("a", 10);
    task.TrafficPriority = tpHigherPriority;
    TTexts captions;
    for (int column = 0; column < kTaskColumnCount; ++column)
        captions.push_back("c" + std::to_string(column));
    const std::string hint = TaskRowHint(task, captions);
    EXPECT_EQ(hint.substr(0, hint.find("\r\nc3")), "c0: a\r\nc1: 1\r\nc2: sHigherPriority");
    EXPECT_EQ(std::count(hint.begin(), hint.end(), '\n'), kTaskColumnCount - 1);
    Options().bShowHintForListView = false;
    EXPECT_EQ(TaskRowHint(task, captions), "");

    // The information list shows the focused row's task only while it is selected and shown.
    TTaskRows& rows = Manager.Rows();
    EXPECT_EQ(TaskInfoSubject(rows), nullptr);
    rows.Focus(0);
    EXPECT_EQ(TaskInfoSubject(rows), nullptr);
    rows.Select(0);
    EXPECT_EQ(TaskInfoSubject(rows), &task);
    rows.Row(0).Hidden = true;
    EXPECT_EQ(TaskInfoSubject(rows), nullptr);
    const auto info = TaskInfoRows(&task, captions);
    ASSERT_EQ(info.size(), std::size_t(kTaskInfoRowCount));
    EXPECT_EQ(info[2].Caption, "c2");
    EXPECT_EQ(info[2].Text, "sHigherPriority");
    EXPECT_EQ(TaskInfoRows(nullptr, captions)[0].Text, "");
}
