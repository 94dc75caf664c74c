#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::inet {

// The last complete FTP reply among the reply lines ("150-..." up to "150 ..."), joined
// with line breaks; empty when there is none.
std::string LastFtpReply(const std::vector<std::string>& lines);

// The lines of the last HTTP answer head: its status line and headers, joined with line
// breaks; empty when no status line came.
std::string LastHttpHead(const std::vector<std::string>& lines);

// The value of header `name` (any case) in the last answer head; empty when absent.
std::string HttpHeaderValue(const std::vector<std::string>& lines, std::string_view name);

// Whether the last answer head is complete and final: its blank line came, and it is
// neither an interim answer (1xx) nor a redirect the library follows by itself.
bool HttpHeadComplete(const std::vector<std::string>& lines);

// The status code of the last answer head; 0 when none came.
int HttpStatus(const std::vector<std::string>& lines);

// The time of an HTTP date in its usual form, "Sun, 06 Nov 1994 08:49:37 GMT"; nullopt for
// any other form (the older forms are left to a slower reader).
std::optional<time_t> ParseImfFixdate(std::string_view text);

} // namespace platform::inet
