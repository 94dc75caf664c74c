#include "tasks/TaskPorts.h"

TModalResult MessageBoxWithCheck(ITaskDialogs& dialogs, const std::string& text, TMessageKind kind,
                                 unsigned buttons, bool& flag)
{
    if (flag)
        return TModalResult::OK;
    bool checked = false;
    const TModalResult result = dialogs.ShowMessageBoxWithCheck(text, kind, buttons, checked);
    flag = checked;
    return result;
}
