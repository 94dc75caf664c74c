#pragma once

#include "config/ListColumnStore.h"

#include <string>
#include <vector>

// The rules of the column dialog over a working copy of a list's column settings. Its rows
// stand in display order; each refers to its column in the copy. The list changes only when
// the caller takes Result() after OK.
class TColumnDialogModel {
public:
    static constexpr int kMinWidth = 20;
    static constexpr int kMaxWidth = 1000;

    // columns in the order of the list's columns; mainColumn's box cannot change. Positions
    // that are missing, repeated or out of range are put in order, so no column is lost.
    TColumnDialogModel(std::vector<TListColumnStore> columns, int mainColumn);

    int RowCount() const { return int(Rows_.size()); }
    // The column of the copy that a row shows.
    int ColumnOfRow(int row) const { return Rows_.at(std::size_t(row)); }
    const std::string& Caption(int row) const { return Entry(row).Caption; }
    bool Checked(int row) const { return Entry(row).Visible; }
    // Ticks or unticks a row's box; false when refused (the main column's box).
    bool SetChecked(int row, bool checked);

    // The focused row, -1 without rows. The first row has the focus at the start.
    int Focused() const { return Focused_; }
    void Focus(int row);
    // The width field and the alignment box show the focused column's values.
    int Width() const;
    int Alignment() const;
    // Stores the width field's value, bounded to the field's range, in the focused column.
    void SetWidth(int width);
    // 0 left, 1 right, 2 centre; other values are refused.
    void SetAlignment(int alignment);

    bool CanShow() const { return Focused_ >= 0 && !Checked(Focused_); }
    bool CanHide() const { return Focused_ >= 0 && Checked(Focused_); }
    void Show();
    void Hide();
    bool CanMoveUp() const { return Focused_ > 0; }
    bool CanMoveDown() const { return Focused_ >= 0 && Focused_ < RowCount() - 1; }
    // The focused row changes places with its neighbour; both take their new row numbers as
    // their display positions, and the focus stays on the moved row.
    void MoveUp();
    void MoveDown();

    // The working copy, in the order of the list's columns.
    const std::vector<TListColumnStore>& Result() const { return Columns_; }

private:
    TListColumnStore& Entry(int row) { return Columns_.at(std::size_t(ColumnOfRow(row))); }
    const TListColumnStore& Entry(int row) const { return Columns_.at(std::size_t(ColumnOfRow(row))); }
    void Swap(int row, int other);

    std::vector<TListColumnStore> Columns_;
    std::vector<int> Rows_;
    int MainColumn_;
    int Focused_ = -1;
};
