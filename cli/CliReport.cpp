#include "cli/CliReport.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/Links.h"
#include "core/LogCodes.h"
#include "core/MessageCatalogue.h"
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

std::string TrimLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    return line;
}

// A server's reply as one line: an HTTP answer's status ("HTTP 404 Not Found"), not its
// headers; the closing line of an FTP reply ("550 Failed to open file.").
std::string ReplyStatus(const std::string& reply)
{
    if (reply.starts_with("HTTP/")) {
        const std::string line = TrimLineEnd(reply.substr(0, reply.find('\n')));
        const std::size_t space = line.find(' ');
        return space == std::string::npos ? line : "HTTP" + line.substr(space);
    }
    const std::string text = TrimLineEnd(reply);
    const std::size_t lastBreak = text.rfind('\n');
    return lastBreak == std::string::npos ? text : text.substr(lastBreak + 1);
}

// The failure entries of the task's last run, without the general "stopped" one: what the
// log says went wrong. A server's reply adds its status, unless a failure named it already.
std::string FailureReason(const TTaskItem& task)
{
    const std::vector<TLogListItem> entries = task.Log.Entries();
    // As the log holds it: with the link's password masked.
    const std::string runStart = MaskLinkPasswords(FormatLogText(Translate("sStartDownload"), {task.Source}));
    auto first = entries.end();
    while (first != entries.begin() && !(first[-1].Code == lcInformation && first[-1].Text == runStart))
        --first;
    const std::string stopped = Translate("sDownloadStopped");
    std::string reason;
    for (auto entry = first; entry != entries.end(); ++entry) {
        std::string text = entry->Text;
        if (entry->Code == lcFailureReply) {
            const std::string firstLine = TrimLineEnd(text.substr(0, text.find('\n')));
            text = ReplyStatus(text);
            if (reason.find(firstLine) != std::string::npos || reason.find(text) != std::string::npos)
                continue;
        } else if (entry->Code != lcFailure || text == stopped) {
            continue;
        }
        reason += (reason.empty() ? "" : "; ") + text;
    }
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
        return line + ", " + Size(task.Size) + " in " + MaskLinkPasswords(task.DestinationFileName());
    if (task.Loaded > 0 || task.State() == stateStarted)
        line += " at " + Amount(task);
    // An interrupted run has no failure to tell.
    if (TaskFailed(task) && task.State() != stateStarted)
        if (const std::string reason = FailureReason(task); !reason.empty())
            line += ": " + reason;
    return line;
}
