#include "tasks/ActiveTaskLimit.h"

#include "config/Options.h"
#include "tasks/ManagerTask.h"

#include <algorithm>

int SetNumActiveTask(TManagerTask& manager, int item)
{
    if (item < 1 || item > kNumActiveTaskAskItem)
        return manager.MaxActiveTasks;
    int limit = item;
    if (item == kNumActiveTaskAskItem) {
        int answer = limit = manager.MaxActiveTasks;
        // Cancel keeps the limit, whatever the dialog left in its answer.
        if (manager.Environment().Dialogs.AskMaxActiveTasks(answer))
            limit = answer;
    }
    // With no place at all nothing would ever start again.
    limit = std::max(limit, 1);
    manager.MaxActiveTasks = limit;
    Options().ListMaxActiveTask = limit;
    return limit;
}

int NumActiveTaskItem(int limit)
{
    return limit >= 1 && limit <= kNumActiveTaskItems ? limit : kNumActiveTaskAskItem;
}
