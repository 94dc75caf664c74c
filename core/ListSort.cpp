#include "core/ListSort.h"

void TListSort::Click(int column)
{
    if (column != Column)
        Set(column, true);
    else if (Ascending)
        Set(column, false);
    else
        Set(-1, true);
}

void TListSort::Set(int column, bool ascending)
{
    Column = column < 0 ? -1 : column;
    Ascending = Column < 0 || ascending;
}
