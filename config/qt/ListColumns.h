#pragma once

#include "config/ListColumnStore.h"

#include <QList>
#include <Qt>

#include <functional>
#include <vector>

class QAction;
class QHeaderView;
class QMenu;
class QWidget;

// Stored column settings into a list's header and back. The header keeps each column's
// alignment for the list's delegate (ColumnAlignment); captions come from the item model.
// ApplyColumns: width, alignment, display position, visibility and the sort column with its
// direction (none sorted: no sort indicator). Settings beyond the header's columns are ignored.
void ApplyColumns(QHeaderView& header, const std::vector<TListColumnStore>& columns);
// One setting per header column (the vector grows or shrinks to the header's count): caption,
// width, alignment, position, visibility, whether it is the sort column and, only then, its
// direction; an unsorted column keeps its stored direction.
void ReadColumns(const QHeaderView& header, std::vector<TListColumnStore>& columns);
// The column's alignment as the stored setting says (0 left, 1 right, 2 centre).
Qt::Alignment ColumnAlignment(const QHeaderView& header, int column);

// The column-header menu: one checkable item per column in the order of the list's columns,
// checked while the column is shown; the main column's item and the item of the only shown
// column are disabled; then a separator and the caller's commands (the grid commands and the
// column dialog). Choosing an item shows or hides its column. Without columnItems the menu
// holds the commands only (the information lists).
QMenu* CreateColumnHeaderMenu(QHeaderView& header, int mainColumn, const QList<QAction*>& commands,
                              QWidget* parent, bool columnItems = true);
// Opens that menu on a right click on the header. commands() gives the commands each time;
// opened(), when given, runs first (the caller makes the list its target list there).
void InstallColumnHeaderMenu(QHeaderView& header, int mainColumn, std::function<QList<QAction*>()> commands,
                             std::function<void()> opened = {}, bool columnItems = true);
