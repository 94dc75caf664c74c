#pragma once

#include "tasks/OfferedPaths.h"
#include "tasks/TaskPorts.h"

#include <optional>
#include <string>
#include <vector>

// What one read of the clipboard came to.
enum class TClipboardOutcome {
    Nothing,       // unreadable, the text handled last time, or nothing left to add
    NoValidPaths,  // the error box was shown
    Added,         // Lines went to the adding flow
};

struct TClipboardRead {
    TClipboardOutcome Outcome = TClipboardOutcome::Nothing;
    std::vector<std::string> Lines;
};

// Watching the clipboard for links and pasting them: the text of a read is the paths and
// links the clipboard's formats offer (tasks/OfferedPaths.h); a read takes a text once,
// unless forced. Main thread only.
class TClipboardMonitor {
public:
    TClipboardMonitor(ITaskShell& shell, ITaskAdding& adding, ITaskDialogs& dialogs)
        : Shell_(shell), Adding_(adding), Dialogs_(dialogs)
    {
    }

    // Whether a change of the clipboard is read at all: monitoring is on, the window is
    // built, and the copy is not the program's own (ownsClipboard, the front end's to tell).
    static bool ShouldMonitor(bool initializing, bool ownsClipboard);

    // Reads what the clipboard offers (nullopt: it could not be read). A text equal to
    // the last one handled is skipped unless forced. Filtered keeps only links of a
    // monitored kind and, with bFilterClipboard, names ending in an extension of
    // sFilterClipboard. Lines left over go to the adding flow, with no folder and not
    // silent, after the downloads page is shown. A text without a path or link is an
    // error box when forced (the paste command asked for it); a change the monitor saw
    // passes silently, since copying plain text anywhere is no mistake of the user.
    TClipboardRead Read(const std::optional<std::vector<TOfferedFormat>>& formats, bool filtered, bool forced);

    // Monitoring: filtered, not forced. The paste command: neither.
    TClipboardRead ClipboardChanged(const std::optional<std::vector<TOfferedFormat>>& formats)
    {
        return Read(formats, true, false);
    }
    TClipboardRead Paste(const std::optional<std::vector<TOfferedFormat>>& formats)
    {
        return Read(formats, false, true);
    }

    const std::string& LastText() const { return LastText_; }

private:
    ITaskShell& Shell_;
    ITaskAdding& Adding_;
    ITaskDialogs& Dialogs_;
    std::string LastText_;
};

// Whether a line passes the monitor's filter: a link of a monitored kind whose name, with
// bFilterClipboard, ends in one of the extensions of sFilterClipboard (case ignored).
bool PassesClipboardFilter(const std::string& line);
