#include "tasks/ManagerTask.h"

void TManagerTask::ShowFocusedLog()
{
    const int focused = Rows_.Focused();
    TLogList* log = nullptr;
    if (focused >= 0 && Rows_.Row(focused).Selected && !Rows_.Row(focused).Hidden)
        log = &Rows_.Record(focused)->Log;
    LogView_.ShowLog(log);
}
