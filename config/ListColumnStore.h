#pragma once

#include <string>
#include <vector>

// The stored setting of one column of a list.
struct TListColumnStore {
    bool Visible = true;
    std::string Caption;    // from the language file, never stored
    int Width = 50;         // pixels
    int Alignment = 0;      // 0 left, 1 right, 2 centre
    int Position = 0;       // display position
    bool Sorted = false;    // the list is sorted by this column
    int SortDirection = 0;  // 0 ascending, 1 descending

    bool operator==(const TListColumnStore&) const = default;
};

// One column per width, each shown at its own index.
inline std::vector<TListColumnStore> DefaultListColumns(const std::vector<int>& widths)
{
    std::vector<TListColumnStore> columns(widths.size());
    for (std::size_t i = 0; i < widths.size(); ++i) {
        columns[i].Position = static_cast<int>(i);
        columns[i].Width = widths[i];
    }
    return columns;
}

// count columns, each shown at its own index.
inline std::vector<TListColumnStore> DefaultListColumns(int count)
{
    std::vector<TListColumnStore> columns(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        columns[static_cast<std::size_t>(i)].Position = i;
    return columns;
}
