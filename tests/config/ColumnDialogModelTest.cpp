#include "config/ColumnDialogModel.h"

#include <gtest/gtest.h>

namespace {

// Columns "c0".."c<n-1>" shown at the positions given.
std::vector<TListColumnStore> Columns(const std::vector<int>& positions)
{
    std::vector<TListColumnStore> columns;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        TListColumnStore column;
        column.Caption = "c" + std::to_string(i);
        column.Position = positions[i];
        column.Width = int(i) * 10;
        columns.push_back(column);
    }
    return columns;
}

std::string Rows(const TColumnDialogModel& model)
{
    std::string rows;
    for (int row = 0; row < model.RowCount(); ++row)
        rows += model.Caption(row) + (model.Checked(row) ? "+" : "-") + " ";
    return rows;
}

} // namespace

TEST(ColumnDialogModelTest, RowsStandInDisplayOrderEvenWhenStoredPositionsAreBroken)
{
    EXPECT_EQ(Rows(TColumnDialogModel(Columns({2, 0, 1}), 0)), "c1+ c2+ c0+ ");
    // Repeated and out-of-range positions keep every column, in stored order.
    const TColumnDialogModel broken(Columns({5, 0, 0}), 0);
    EXPECT_EQ(Rows(broken), "c1+ c2+ c0+ ");
    EXPECT_EQ(broken.Result()[0].Position, 2);
    EXPECT_EQ(broken.Result()[2].Position, 1);
    EXPECT_EQ(TColumnDialogModel({}, 0).Focused(), -1);
}

TEST(ColumnDialogModelTest, CommandsFollowTheFocusedRow)
{
    TColumnDialogModel model(Columns({0, 1, 2}), 1);
    struct TStep {
        const char* Action;
        int Row;  // focused before the action
        std::string Rows;
        int FocusedAfter;
        bool Up, Down, Show, Hide;  // enabled after the action
    };
    const TStep steps[] = {
        {"focus", 0, "c0+ c1+ c2+ ", 0, false, true, false, true},
        {"hide", 0, "c0- c1+ c2+ ", 0, false, true, true, false},
        {"focus", 1, "c0- c1+ c2+ ", 1, true, true, false, true},
        {"hide", 1, "c0- c1+ c2+ ", 1, true, true, false, true},  // the main column stays
        {"up", 1, "c1+ c0- c2+ ", 0, false, true, false, true},   // but it moves
        {"down", 0, "c0- c1+ c2+ ", 1, true, true, false, true},
        {"down", 1, "c0- c2+ c1+ ", 2, true, false, false, true},
        {"show", 0, "c0+ c2+ c1+ ", 0, false, true, false, true},
    };
    for (const TStep& s : steps) {
        const std::string action = s.Action;
        model.Focus(s.Row);
        if (action == "hide")
            model.Hide();
        else if (action == "show")
            model.Show();
        else if (action == "up")
            model.MoveUp();
        else if (action == "down")
            model.MoveDown();
        SCOPED_TRACE(action + " on row " + std::to_string(s.Row));
        EXPECT_EQ(Rows(model), s.Rows);
        EXPECT_EQ(model.Focused(), s.FocusedAfter);
        EXPECT_EQ(model.CanMoveUp(), s.Up);
        EXPECT_EQ(model.CanMoveDown(), s.Down);
        EXPECT_EQ(model.CanShow(), s.Show);
        EXPECT_EQ(model.CanHide(), s.Hide);
    }
    EXPECT_FALSE(model.SetChecked(2, false)) << "a click on the main column's box is refused";
    EXPECT_TRUE(model.SetChecked(1, false));
    // The result keeps the list's column order with the new positions.
    const auto& result = model.Result();
    EXPECT_EQ(result[0].Position, 0);
    EXPECT_EQ(result[1].Position, 2);
    EXPECT_EQ(result[2].Position, 1);
    EXPECT_FALSE(result[2].Visible);
}

TEST(ColumnDialogModelTest, WidthIsBoundedAndAlignmentTakesTheBoxIndex)
{
    TColumnDialogModel model(Columns({0, 1}), 0);
    EXPECT_EQ(model.Width(), 20) << "a stored width of 0 shows the field's least value";
    const std::pair<int, int> widths[] = {{5, 20}, {20, 20}, {300, 300}, {1000, 1000}, {5000, 1000}};
    for (auto [given, stored] : widths) {
        model.SetWidth(given);
        EXPECT_EQ(model.Result()[0].Width, stored) << given;
    }
    model.SetAlignment(2);
    model.SetAlignment(3);
    EXPECT_EQ(model.Alignment(), 2);
    model.Focus(1);
    EXPECT_EQ(model.Alignment(), 0);
    EXPECT_EQ(model.Result()[1].Width, 10) << "focusing alone stores nothing";
}
