#include "tasks/OfferedPaths.h"

#include "config/LinkMonitoring.h"
#include "core/Links.h"

#include <string_view>

namespace {

std::string_view Trimmed(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// The line as one of the URI list names: a file URI as its path, a link as it is.
std::string UriListEntry(std::string_view line)
{
    if (line.starts_with('#'))
        return {};
    if (std::string path = FileUriPath(line); !path.empty())
        return path;
    return IsFTPLink(line) || IsHTTPLink(line) ? std::string(line) : std::string();
}

// A link offered as text (the browser's URL format adds its title on a second line) is
// kept only where clipboard monitoring takes its kind.
std::string TextEntry(std::string_view line, bool firstLineOnly, bool& done)
{
    done = firstLineOnly;
    return !line.empty() && IsLinkMonitored(line) ? std::string(line) : std::string();
}

std::vector<std::string> Lines(const TOfferedFormat& format)
{
    std::vector<std::string> lines;
    std::string_view rest = format.Data;
    bool done = false;
    while (!rest.empty() && !done) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        std::string entry;
        switch (format.Kind) {
        case TOfferedKind::Url: entry = TextEntry(Trimmed(line), true, done); break;
        case TOfferedKind::PlainText: entry = TextEntry(Trimmed(line), false, done); break;
        case TOfferedKind::UriList: entry = UriListEntry(Trimmed(line)); break;
        // File names may begin or end with blanks.
        case TOfferedKind::FileList: entry = std::string(line); break;
        }
        if (!entry.empty())
            lines.push_back(DecodeLink(entry));
    }
    return lines;
}

}  // namespace

std::vector<std::string> ExtractOfferedPaths(const std::vector<TOfferedFormat>& formats)
{
    for (const TOfferedFormat& format : formats)
        if (std::vector<std::string> lines = Lines(format); !lines.empty())
            return lines;
    return {};
}
