#pragma once

#include <cstdint>
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

// The text a log entry stores: the format as it stands when there are no arguments
// (server replies and system errors may hold "%"), the formatted message otherwise.
std::string FormatLogText(std::string_view format, const TFormatArgs& args);
