#include "platform/inet/ReplyText.h"

#include "core/TextCase.h"

#include <cctype>
#include <cstdint>

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

std::string HttpHeaderValue(const std::vector<std::string>& lines, std::string_view name)
{
    for (size_t i = LastStatusLine(lines); i < lines.size() && !lines[i].empty(); ++i) {
        const std::string_view line = lines[i];
        // The colon's place rules out most lines before their names are compared.
        if (line.size() <= name.size() || line[name.size()] != ':' || !StartsText(name, line))
            continue;
        const std::string_view value = line.substr(name.size() + 1);
        const size_t first = value.find_first_not_of(" \t");
        if (first == std::string_view::npos)
            return {};
        return std::string(value.substr(first, value.find_last_not_of(" \t") - first + 1));
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

namespace {

// The days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

std::optional<time_t> ParseImfFixdate(std::string_view text)
{
    // "Www, DD Mmm YYYY HH:MM:SS GMT": 29 characters at fixed places.
    if (text.size() != 29 || text.substr(3, 2) != ", " || text[7] != ' ' || text[11] != ' ' || text[16] != ' ' ||
        text[19] != ':' || text[22] != ':' || text.substr(25) != " GMT")
        return std::nullopt;
    auto number = [&](size_t at, size_t length) {
        int value = 0;
        for (size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    static constexpr std::string_view days = "MonTueWedThuFriSatSun";
    const size_t dayAt = days.find(text.substr(0, 3));
    if (dayAt == std::string_view::npos || dayAt % 3 != 0)
        return std::nullopt;
    static constexpr std::string_view months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const size_t monthAt = months.find(text.substr(8, 3));
    if (monthAt == std::string_view::npos || monthAt % 3 != 0)
        return std::nullopt;
    const int month = int(monthAt / 3) + 1;
    const int day = number(5, 2), year = number(12, 4);
    const int hour = number(17, 2), minute = number(20, 2), second = number(23, 2);
    static constexpr int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (day < 1 || year < 1970 || day > monthDays[month - 1] || (month == 2 && day == 29 && !leap) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return time_t(DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second);
}

} // namespace platform::inet
