#include "app/ClipboardMonitor.h"

#include "config/LinkMonitoring.h"
#include "config/Options.h"
#include "core/Links.h"
#include "core/MessageCatalogue.h"

bool TClipboardMonitor::ShouldMonitor(bool initializing, bool ownsClipboard)
{
    return Options().bMonitorClipboard && !initializing && !ownsClipboard;
}

bool PassesClipboardFilter(const std::string& line)
{
    if (!IsLinkMonitored(line))
        return false;
    const TOptions& options = Options();
    return !options.bFilterClipboard || MatchesExtensionList(ExtractFileName(line), options.sFilterClipboard);
}

TClipboardRead TClipboardMonitor::Read(const std::optional<std::vector<TOfferedFormat>>& formats, bool filtered,
                                       bool forced)
{
    if (!formats)
        return {};
    std::vector<std::string> lines = ExtractOfferedPaths(*formats);
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    if (text == LastText_ && !forced)
        return {};
    // Remembered even when nothing comes of it, so that the same link copied again after
    // some other text is taken again.
    LastText_ = text;
    if (lines.empty()) {
        if (!forced)
            return {};
        Dialogs_.MessageBox(Translate("sNoValidPaths"), TMessageKind::Error, mbOK);
        return {TClipboardOutcome::NoValidPaths, {}};
    }
    if (filtered)
        std::erase_if(lines, [](const std::string& line) { return !PassesClipboardFilter(line); });
    // A copied link of a kind nobody wants brings no window to the front.
    if (lines.empty())
        return {};
    Shell_.ShowTaskPage();
    Adding_.AddFileList(lines, {}, false);
    return {TClipboardOutcome::Added, lines};
}
