#include "platform/inet/ReplyText.h"

#include "core/TextCase.h"

#include <cctype>

namespace platform::inet {

namespace {

bool StartsWithCode(const std::string& line)
{
    return line.size() >= 4 && std::isdigit(static_cast<unsigned char>(line[0])) &&
           std::isdigit(static_cast<unsigned char>(line[1])) && std::isdigit(static_cast<unsigned char>(line[2]));
}

std::string Join(const std::vector<std::string>& lines, size_t from, size_t to)
{
    std::string text;
    for (size_t i = from; i < to; ++i) {
        if (!text.empty())
            text += "\n";
        text += lines[i];
    }
    return text;
}

// Index of the last status line ("HTTP/1.1 200 OK"), or lines.size() when there is none.
size_t LastStatusLine(const std::vector<std::string>& lines)
{
    for (size_t i = lines.size(); i-- > 0;)
        if (lines[i].rfind("HTTP/", 0) == 0)
            return i;
    return lines.size();
}

} // namespace

std::string LastFtpReply(const std::vector<std::string>& lines)
{
    for (size_t end = lines.size(); end-- > 0;) {
        const std::string& last = lines[end];
        if (!StartsWithCode(last) || last[3] != ' ')
            continue;
        // A reply of several lines opens with "NNN-" and the same code.
        size_t start = end;
        for (size_t i = end; i-- > 0;) {
            if (lines[i].compare(0, 4, last.substr(0, 3) + "-") == 0) {
                start = i;
                break;
            }
            if (StartsWithCode(lines[i]) && lines[i][3] == ' ')
                break;
        }
        return Join(lines, start, end + 1);
    }
    return {};
}

std::string LastHttpHead(const std::vector<std::string>& lines)
{
    const size_t status = LastStatusLine(lines);
    if (status == lines.size())
        return {};
    size_t end = status;
    while (end < lines.size() && !lines[end].empty())
        ++end;
    return Join(lines, status, end);
}

int HttpStatus(const std::vector<std::string>& lines)
{
    const size_t status = LastStatusLine(lines);
    if (status == lines.size())
        return 0;
    const std::string& line = lines[status];
    const size_t space = line.find(' ');
    if (space == std::string::npos)
        return 0;
    try {
        return std::stoi(line.substr(space + 1, 3));
    } catch (const std::exception&) {
        return 0;
    }
}

std::string HttpHeaderValue(const std::vector<std::string>& lines, const std::string& name)
{
    const std::string wanted = name + ":";
    for (size_t i = LastStatusLine(lines); i < lines.size() && !lines[i].empty(); ++i) {
        if (!StartsText(wanted, lines[i]))
            continue;
        std::string value = lines[i].substr(wanted.size());
        const size_t first = value.find_first_not_of(" \t");
        const size_t last = value.find_last_not_of(" \t");
        return first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    }
    return {};
}

bool HttpHeadComplete(const std::vector<std::string>& lines)
{
    const size_t status = LastStatusLine(lines);
    if (status == lines.size() || !lines.back().empty())
        return false;
    const int code = HttpStatus(lines);
    if (code >= 100 && code < 200)
        return false;
    if (code >= 300 && code < 400 && !HttpHeaderValue(lines, "Location").empty())
        return false;
    return true;
}

} // namespace platform::inet
