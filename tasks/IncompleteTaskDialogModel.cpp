#include "tasks/IncompleteTaskDialogModel.h"

#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"
#include "tasks/TaskItem.h"

TIncompleteTaskDialogModel::TIncompleteTaskDialogModel(const TTaskItem& task)
    : Info(FormatMessage(Translate("sAskPerformDeleteIncompleteTaskInfo"),
                         {FormatSize(suAuto, task.Loaded), FormatSize(suAuto, task.Size)}))
{
}
