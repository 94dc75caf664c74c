#include "core/TextCase.h"

#include <locale.h>
#include <wctype.h>

namespace {

constexpr char32_t kInvalidByteBase = 0xDC00;

// The C.UTF-8 case tables, loaded once and kept for the life of the program.
locale_t CaseLocale()
{
    static const locale_t locale = [] {
        locale_t loaded = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
        if (loaded == locale_t(0))
            loaded = newlocale(LC_CTYPE_MASK, "C.utf8", locale_t(0));
        return loaded;
    }();
    return locale;
}

char32_t FoldCodePoint(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    // The dotted and dotless i fold together only under Turkish rules.
    if (c == 0x130 || c == 0x131 || (c >= 0xD800 && c <= 0xDFFF))
        return c;
    const locale_t locale = CaseLocale();
    if (locale == locale_t(0))
        return c;
    // Through the upper case first, so that forms with one capital (final and medial
    // sigma, the long s) fold to the same letter.
    const wint_t upper = towupper_l(wint_t(c), locale);
    return char32_t(towlower_l(upper, locale));
}

// Decodes the code point at pos and advances pos past it; an invalid sequence yields
// its first byte as U+DC00 + byte and advances by one.
char32_t DecodeAt(std::string_view s, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2; c = lead & 0x1F; minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3; c = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4; c = lead & 0x07; minimum = 0x10000;
    }
    if (length == 0 || pos + length > s.size()) {
        ++pos;
        return kInvalidByteBase + lead;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kInvalidByteBase + lead;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kInvalidByteBase + lead;
    }
    pos += length;
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c >= kInvalidByteBase + 0x80 && c <= kInvalidByteBase + 0xFF) {
        out += static_cast<char>(c - kInvalidByteBase);
    } else if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u32string FoldedCodePoints(std::string_view text)
{
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();)
        result += FoldCodePoint(DecodeAt(text, pos));
    return result;
}

std::string FoldCase(std::string_view text)
{
    // ASCII folds in place, byte by byte (the keys of a language file, read at every start);
    // from the first other byte on, the text goes through its code points.
    std::string result(text);
    std::size_t pos = 0;
    for (; pos < result.size() && static_cast<unsigned char>(result[pos]) < 0x80; ++pos)
        result[pos] = static_cast<char>(FoldCodePoint(static_cast<unsigned char>(result[pos])));
    if (pos == result.size())
        return result;
    result.resize(pos);
    while (pos < text.size())
        AppendUtf8(result, FoldCodePoint(DecodeAt(text, pos)));
    return result;
}

int CompareText(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t x = FoldCodePoint(DecodeAt(a, i));
        const char32_t y = FoldCodePoint(DecodeAt(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

bool SameText(std::string_view a, std::string_view b)
{
    return CompareText(a, b) == 0;
}

bool StartsText(std::string_view prefix, std::string_view text)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < prefix.size()) {
        if (j >= text.size())
            return false;
        // Two ASCII letters fold on their own: headers and link schemes are compared here
        // many times for every file.
        const auto a = static_cast<unsigned char>(prefix[i]);
        const auto b = static_cast<unsigned char>(text[j]);
        if (a < 0x80 && b < 0x80) {
            if (FoldCodePoint(a) != FoldCodePoint(b))
                return false;
            ++i;
            ++j;
            continue;
        }
        if (FoldCodePoint(DecodeAt(prefix, i)) != FoldCodePoint(DecodeAt(text, j)))
            return false;
    }
    return true;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = DecodeAt(text, pos);
        if (c >= kInvalidByteBase + 0x80 && c <= kInvalidByteBase + 0xFF)
            return false;
    }
    return true;
}
