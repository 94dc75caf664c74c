#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Arguments of a message text: the language file's formats take texts and numbers.
using TFormatArg = std::variant<std::string, int64_t, double>;
using TFormatArgs = std::vector<TFormatArg>;

// Inserts args into a message format with printf-like directives:
// %[index:][-][width][.precision]type, type one of d u x e f g n m s, and %% for "%".
// A directive without a matching argument stays as written; an argument of the other
// kind is converted (a number for %s, a text for %d), so a bad language file can never
// crash a worker. Texts given without arguments are never formatted: see FormatLogText.
std::string FormatMessage(std::string_view format, const TFormatArgs& args);

// The arguments a message format reads, as FormatMessage walks it: each argument's index
// with the type letter of a directive that reads it (lower case). A translation must read
// the same ones as the text it replaces.
std::set<std::pair<size_t, char>> FormatArguments(std::string_view format);

// The text a log entry stores: the format as it stands when there are no arguments
// (server replies and system errors may hold "%"), the formatted message otherwise.
std::string FormatLogText(std::string_view format, const TFormatArgs& args);
