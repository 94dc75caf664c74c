#include "core/ListSort.h"

#include <gtest/gtest.h>

namespace {

TEST(ListSortTest, HeaderClicksSortUpThenDownThenBackToTheListsOwnOrder)
{
    TListSort sort;
    // Each click and the sort after it.
    const struct {
        int Click;
        TListSort After;
    } clicks[] = {
        {0, {0, true}},  {0, {0, false}}, {0, {-1, true}},  // up, down, unsorted
        {2, {2, true}},  {0, {0, true}},                    // another column starts ascending
        {0, {0, false}}, {2, {2, true}},                    // even from descending
    };
    for (const auto& click : clicks) {
        sort.Click(click.Click);
        EXPECT_EQ(sort, click.After) << click.Click;
    }
    // A column below zero set from a header is none, and none is ascending.
    sort.Set(-5, false);
    EXPECT_EQ(sort, (TListSort{-1, true}));
}

}  // namespace
