#include "cli/CliReport.h"

#include "config/MessageCatalogue.h"
#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/LogCodes.h"
#include "core/MessageFormat.h"
#include "tasks/TaskItem.h"

#include <vector>

namespace {

std::string StateWord(const TTaskItem& task)
{
    switch (task.State()) {
    case stateWait:
        return "waiting";
    case stateStarted:
        return task.IsRunning() ? "copying" : "interrupted";
    case stateStopped:
        return "stopped";
    case stateError:
        return "failed, retrying";
    case stateErrorStopped:
        return "failed";
    case stateCompleted:
        return "completed";
    case stateScheduled:
        return "scheduled";
    case stateTemporaryPaused:
        return "failed after every retry";
    }
    return "unknown state";
}

std::string Size(int64_t bytes)
{
    return FormatSize(Options().iSizeType, bytes);
}

std::string Amount(const TTaskItem& task)
{
    return Size(task.Loaded) + " of " + Size(task.Size) + ", " + FormatPercent(task.Percent());
}

// The failure entries of the task's last run, without the general "stopped" one: what the
// log says went wrong.
std::string FailureReason(const TTaskItem& task)
{
    const std::vector<TLogListItem> entries = task.Log.Entries();
    const std::string runStart = FormatLogText(Translate("sStartDownload"), {task.Source});
    auto first = entries.end();
    while (first != entries.begin() && !(first[-1].Code == lcInformation && first[-1].Text == runStart))
        --first;
    const std::string stopped = Translate("sDownloadStopped");
    std::string reason;
    for (auto entry = first; entry != entries.end(); ++entry)
        if ((entry->Code == lcFailure || entry->Code == lcFailureReply) && entry->Text != stopped)
            reason += (reason.empty() ? "" : "; ") + entry->Text;
    return reason;
}

} // namespace

bool TaskEnded(const TTaskItem& task)
{
    switch (task.State()) {
    case stateWait:
    case stateError:
        return false;
    case stateStarted:
        // A run that stopped without an outcome; nothing starts it again.
        return !task.IsRunning();
    default:
        return true;
    }
}

bool TaskFailed(const TTaskItem& task)
{
    switch (task.State()) {
    case stateError:
    case stateErrorStopped:
    case stateTemporaryPaused:
        return true;
    case stateStarted:
        return !task.IsRunning();
    default:
        return false;
    }
}

bool TaskActive(const TTaskItem& task)
{
    return (task.State() == stateStarted && task.IsRunning()) || task.State() == stateError;
}

std::string ProgressLine(const TTaskItem& task)
{
    std::string line = task.Name() + ": " + Amount(task);
    if (task.State() == stateStarted)
        line += ", " + Size(int64_t(task.Speed() / 8)) + "/s";
    return line + ", " + StateWord(task);
}

std::string FinalLine(const TTaskItem& task)
{
    std::string line = task.Name() + ": " + StateWord(task);
    if (task.Completed())
        return line + ", " + Size(task.Size) + " in " + task.DestinationFileName();
    if (task.Loaded > 0 || task.State() == stateStarted)
        line += " at " + Amount(task);
    // An interrupted run has no failure to tell.
    if (TaskFailed(task) && task.State() != stateStarted)
        if (const std::string reason = FailureReason(task); !reason.empty())
            line += ": " + reason;
    return line;
}
