#include "RecordBed.h"

#include "config/Options.h"

#include <gtest/gtest.h>

namespace {

class HistoryFilterTest : public ::testing::Test {
protected:
    TRecordBed Bed;
    THistoryManager History{Bed.Environment, {}};

    void SetUp() override
    {
        // Names and how many days ago each completed, oldest first.
        const std::pair<const char*, double> records[] = {
            {"old.iso", 31.0}, {"m.ISO", 30.4375}, {"w8.bin", 8.0},   {"w7.bin", 7.0},     {"two.iso", 2.0},
            {"h25.txt", 25.0 / 24}, {"day.iso", 1.0}, {"now.iso", 0.1}, {"future.txt", -0.5},
        };
        for (const auto& [name, daysAgo] : records)
            History.AddToHistory(Bed.Record(name, daysAgo));
    }
};

} // namespace

TEST_F(HistoryFilterTest, DateAndNameFiltersShowTheRowsThatPassBoth)
{
    const std::string all = "future.txt now.iso day.iso h25.txt two.iso w7.bin w8.bin m.ISO old.iso";
    const std::tuple<int, const char*, std::string> cases[] = {
        {hdfAll, "", all},
        {hdfToday, "", "future.txt now.iso day.iso"},  // the last 24 hours, either way
        {hdfYesterday, "", "h25.txt"},                 // two days ago is neither
        {hdfWeek, "", "future.txt now.iso day.iso h25.txt two.iso w7.bin"},
        {hdfMonth, "", "future.txt now.iso day.iso h25.txt two.iso w7.bin w8.bin m.ISO"},
        {42, "", all},
        {hdfAll, "*.iso", "now.iso day.iso two.iso m.ISO old.iso"},
        {hdfAll, "BIN", "w7.bin w8.bin"},
        {hdfWeek, "*.iso", "now.iso day.iso two.iso"},
        {hdfAll, "?ay.*", "day.iso"},
        {hdfAll, "[x*", all},  // a mask that cannot be parsed hides nothing
        {hdfAll, "[dn]*", "now.iso day.iso"},
    };
    int applied = 0;
    History.OnFilterApplied = [&] { ++applied; };
    for (const auto& [date, name, shown] : cases) {
        SCOPED_TRACE(std::to_string(date) + " " + name);
        History.SetTextFilter(name);
        History.SetDateFilter(date);
        EXPECT_EQ(ShownNames(History.Rows()), shown);
    }
    EXPECT_EQ(applied, 2 * int(std::size(cases)));
}

TEST_F(HistoryFilterTest, CustomRangeTakesWholeDaysInEitherOrder)
{
    const TDateTime now = Bed.Tasks.Clock.Date;
    // A range of one day, given backwards: every record of that calendar day.
    Bed.RecordDialogs.Ranges = {{TDateTime{now.Value - 1.05}, TDateTime{now.Value - 1.45}}};
    EXPECT_TRUE(History.ChooseCustomRange());
    EXPECT_EQ(Bed.RecordDialogs.Proposed.at(0), std::make_pair(now, now));
    EXPECT_EQ(History.DateFilter(), hdfCustom);
    EXPECT_EQ(ShownNames(History.Rows()), "day.iso h25.txt");
    History.AddToHistory(Bed.Record("fresh.iso"));  // outside the range: hidden
    EXPECT_EQ(ShownNames(History.Rows()), "day.iso h25.txt");

    EXPECT_FALSE(History.ChooseCustomRange());  // Cancel shows everything again
    EXPECT_EQ(History.DateFilter(), hdfAll);
    EXPECT_EQ(History.Rows().CountShown(), 10);

    // The filter box remembers its texts, newest first, equal ones ignoring case.
    Options().ListFilter_MAxCount = 2;
    for (const char* text : {"iso", "bin", "ISO"})
        History.ApplyTextFilterFromBox(text);
    EXPECT_EQ(Options().ListFilter, (std::vector<std::string>{"ISO", "bin"}));
}
