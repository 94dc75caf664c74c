#include "config/ColumnDialogModel.h"

#include <algorithm>
#include <numeric>

TColumnDialogModel::TColumnDialogModel(std::vector<TListColumnStore> columns, int mainColumn)
    : Columns_(std::move(columns)), MainColumn_(mainColumn)
{
    Rows_.resize(Columns_.size());
    std::iota(Rows_.begin(), Rows_.end(), 0);
    std::stable_sort(Rows_.begin(), Rows_.end(), [this](int a, int b) {
        return Columns_[std::size_t(a)].Position < Columns_[std::size_t(b)].Position;
    });
    for (int row = 0; row < RowCount(); ++row)
        Entry(row).Position = row;
    Focused_ = Rows_.empty() ? -1 : 0;
}

bool TColumnDialogModel::SetChecked(int row, bool checked)
{
    if (ColumnOfRow(row) == MainColumn_)
        return Checked(row) == checked;
    Entry(row).Visible = checked;
    return true;
}

void TColumnDialogModel::Focus(int row)
{
    if (row >= -1 && row < RowCount())
        Focused_ = row;
}

int TColumnDialogModel::Width() const
{
    return Focused_ < 0 ? kMinWidth : std::clamp(Entry(Focused_).Width, kMinWidth, kMaxWidth);
}

int TColumnDialogModel::Alignment() const
{
    return Focused_ < 0 ? 0 : Entry(Focused_).Alignment;
}

void TColumnDialogModel::SetWidth(int width)
{
    if (Focused_ >= 0)
        Entry(Focused_).Width = std::clamp(width, kMinWidth, kMaxWidth);
}

void TColumnDialogModel::SetAlignment(int alignment)
{
    if (Focused_ >= 0 && alignment >= 0 && alignment <= 2)
        Entry(Focused_).Alignment = alignment;
}

void TColumnDialogModel::Show()
{
    if (CanShow())
        SetChecked(Focused_, true);
}

void TColumnDialogModel::Hide()
{
    if (CanHide())
        SetChecked(Focused_, false);
}

void TColumnDialogModel::MoveUp()
{
    if (CanMoveUp())
        Swap(Focused_, Focused_ - 1);
}

void TColumnDialogModel::MoveDown()
{
    if (CanMoveDown())
        Swap(Focused_, Focused_ + 1);
}

void TColumnDialogModel::Swap(int row, int other)
{
    std::swap(Rows_[std::size_t(row)], Rows_[std::size_t(other)]);
    Entry(row).Position = row;
    Entry(other).Position = other;
    Focused_ = other;
}
