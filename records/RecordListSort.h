#pragma once

// The sort of a record list (the history, the recycle bin, the scheduler): a click on another
// column sorts by it ascending; on the sorted column ascending turns into descending and
// descending into no sort at all, the list's own order.
struct TRecordListSort {
    int Column = -1;  // none
    bool Ascending = true;
    void Click(int column);
};
