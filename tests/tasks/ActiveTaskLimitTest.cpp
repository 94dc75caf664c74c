#include "tasks/ActiveTaskLimit.h"
#include "config/Options.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

#include <optional>

TEST(ActiveTaskLimitTest, PopupItemsSetTheLimitAndTheOption)
{
    const struct {
        int item;
        std::optional<std::pair<bool, int>> answer;  // of the dialog, when it is asked
        int limit;
        int option;
        int marked;
    } cases[] = {
        {1, {}, 1, 1, 1},
        {5, {}, 5, 5, 5},
        {6, std::pair{true, 12}, 12, 12, 6},
        {6, std::pair{true, 0}, 1, 1, 1},
        {6, std::pair{true, -4}, 1, 1, 1},
        {6, std::pair{false, 7}, 3, 3, 3},
        {0, {}, 3, 9, 3},
        {7, {}, 3, 9, 3},
    };
    for (const auto& c : cases) {
        TTaskBed bed;
        TManagerTask& manager = bed.OpenManager();
        manager.MaxActiveTasks = 3;
        Options().ListMaxActiveTask = 9;
        if (c.answer)
            bed.Dialogs.MaxActiveAnswers.push_back(*c.answer);
        EXPECT_EQ(SetNumActiveTask(manager, c.item), c.limit) << c.item;
        EXPECT_EQ(manager.MaxActiveTasks, c.limit) << c.item;
        EXPECT_EQ(Options().ListMaxActiveTask, c.option) << c.item;
        EXPECT_EQ(NumActiveTaskItem(c.limit), c.marked) << c.item;
        EXPECT_EQ(bed.Dialogs.ProposedMaxActive, c.answer ? std::vector<int>{3} : std::vector<int>{}) << c.item;
    }
}
