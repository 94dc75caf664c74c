#include "core/XmlValues.h"

#include "core/WholeNumber.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// "$" and hexadecimal digits; the result must fit in Bits bits (a bit pattern).
bool ParseHex(std::string_view text, std::uint64_t& value, int bits)
{
    if (text.size() < 2 || text.front() != '$')
        return false;
    std::uint64_t parsed = 0;
    if (!ParseWholeNumber(text.substr(1), parsed, 16))
        return false;
    if (bits < 64 && parsed >> bits)
        return false;
    value = parsed;
    return true;
}

// from_chars takes no "+"; a number written with one is still a number.
bool ParseDecimal(std::string_view text, std::int64_t& value)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    return ParseWholeNumber(text, value);
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A 32-bit word: "$" hex as a bit pattern, or a decimal number from the lowest 32-bit
// integer up to high (negative numbers give their bit pattern).
bool ParseWord32(std::string_view text, std::int64_t high, std::uint32_t& bits)
{
    text = Trimmed(text);
    std::uint64_t hex = 0;
    if (ParseHex(text, hex, 32)) {
        bits = static_cast<std::uint32_t>(hex);
        return true;
    }
    std::int64_t number = 0;
    if (!ParseDecimal(text, number) || number < std::numeric_limits<std::int32_t>::min() || number > high)
        return false;
    bits = static_cast<std::uint32_t>(number);
    return true;
}

} // namespace

bool ParseXmlValue(std::string_view text, std::int32_t& value)
{
    std::uint32_t bits = 0;
    if (!ParseWord32(text, std::numeric_limits<std::int32_t>::max(), bits))
        return false;
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool ParseXmlValue(std::string_view text, std::uint32_t& value)
{
    return ParseWord32(text, std::numeric_limits<std::uint32_t>::max(), value);
}

bool ParseXmlValue(std::string_view text, std::int64_t& value)
{
    text = Trimmed(text);
    std::uint64_t bits = 0;
    if (ParseHex(text, bits, 64)) {
        value = static_cast<std::int64_t>(bits);
        return true;
    }
    return ParseDecimal(text, value);
}

bool ParseXmlValue(std::string_view text, bool& value)
{
    text = Trimmed(text);
    if (EqualsNoCase(text, "True") || EqualsNoCase(text, "False")) {
        value = EqualsNoCase(text, "True");
        return true;
    }
    return ParseXmlNumberAsBool(text, value);
}

bool ParseXmlNumberAsBool(std::string_view text, bool& value)
{
    text = Trimmed(text);
    // Only whether a digit is not zero counts, so no number is too long to be one.
    const bool hex = !text.empty() && text.front() == '$';
    if (hex)
        text.remove_prefix(1);
    else if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty())
        return false;
    bool nonZero = false;
    for (const char c : text) {
        if (!(hex ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c))))
            return false;
        nonZero = nonZero || c != '0';
    }
    value = nonZero;
    return true;
}

bool ParseXmlValue(std::string_view text, TDateTime& value)
{
    text = Trimmed(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    // Files written under a locale with a decimal comma hold "45123,5".
    std::string number(text);
    for (char& c : number)
        if (c == ',')
            c = '.';
    double days = 0;
    if (!ParseWholeNumber(std::string_view(number), days, std::chars_format::general) || !std::isfinite(days))
        return false;
    value = TDateTime{days};
    return true;
}

bool ParseXmlValue(std::string_view text, std::string& value)
{
    value.assign(text);
    return true;
}

std::string XmlValueText(std::int32_t value)
{
    return std::to_string(value);
}

std::string XmlValueText(std::uint32_t value)
{
    return std::to_string(value);
}

std::string XmlValueText(std::int64_t value)
{
    return std::to_string(value);
}

std::string XmlValueText(TDateTime value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.Value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string XmlValueText(std::string_view value)
{
    return std::string(value);
}
