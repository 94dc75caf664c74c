#include "tasks/TaskPorts.h"

TModalResult MessageBoxWithCheck(ITaskDialogs& dialogs, const std::string& text, TMessageKind kind,
                                 unsigned buttons, bool& flag)
{
    if (flag)
        return TModalResult::OK;
    bool checked = false;
    const TModalResult result = dialogs.ShowMessageBoxWithCheck(text, kind, buttons, checked);
    // The box is skipped from now on as if OK was pressed, so only a yes may silence it: a
    // Cancel with the box ticked would turn the next question into a yes the user never gave.
    if (result == TModalResult::OK || result == TModalResult::Yes)
        flag = checked;
    return result;
}
