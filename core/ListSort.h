#pragma once

// The sort a list's column header shows. A click on another column sorts by it ascending; a
// click on the sorted column turns ascending into descending, and descending into no sort
// column at all, which puts the rows back in the list's own order.
struct TListSort {
    int Column = -1;  // none
    bool Ascending = true;

    void Click(int column);
    // A column below zero is none, and none is ascending.
    void Set(int column, bool ascending);
    bool operator==(const TListSort&) const = default;
};
