#pragma once

#include <string>
#include <string_view>

// Case-insensitive comparison of UTF-8 text. Case is folded one code point at a time with
// the case tables of the C.UTF-8 locale (plain ASCII folding where that locale is missing).
// Bytes that are not valid UTF-8 are kept and compare as themselves.

// The code points of text with their case folded; an invalid byte b appears as the lone
// surrogate U+DC00 + b, which no valid UTF-8 decodes to.
std::u32string FoldedCodePoints(std::string_view text);

// text with its case folded, as UTF-8; invalid bytes are copied unchanged.
std::string FoldCase(std::string_view text);

// Negative, zero or positive as a sorts before, equal to or after b, ignoring case.
int CompareText(std::string_view a, std::string_view b);

// True when a and b are equal ignoring case.
bool SameText(std::string_view a, std::string_view b);

// True when text is at least as long as prefix and begins with it, ignoring case.
bool StartsText(std::string_view prefix, std::string_view text);

// True when text is well-formed UTF-8 throughout.
bool IsValidUtf8(std::string_view text);
