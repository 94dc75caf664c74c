#include "core/DisplayFormats.h"

#include "core/MessageCatalogue.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <langinfo.h>
#include <locale.h>

TFormatSettings& FormatSettings()
{
    static TFormatSettings settings;
    return settings;
}

bool LoadFormatSettingsFromLocale(const std::string& localeName)
{
    locale_t numeric = newlocale(LC_NUMERIC_MASK, localeName.c_str(), locale_t(0));
    if (!numeric)
        return false;
    const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
    const bool single = radix && radix[0] && !radix[1];
    if (single)
        FormatSettings().DecimalSeparator = radix[0];
    freelocale(numeric);
    return single;
}

std::string FormatPercent(int percent)
{
    return std::to_string(percent) + "%";
}

std::string FormatDuration(int64_t milliseconds)
{
    if (milliseconds <= 0)
        return {};
    // Whole seconds, without a bound: a pause or a slow download may last beyond 2^32 of them.
    const uint64_t s = uint64_t(milliseconds) / 1000;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%llu:%.2d:%.2d", static_cast<unsigned long long>(s / 3600),
                  int(s % 3600 / 60), int(s % 60));
    return buffer;
}

std::string LocalizeDecimalPoint(std::string number)
{
    for (char& c : number)
        if (c == '.')
            c = FormatSettings().DecimalSeparator;
    return number;
}

std::string FormatOneDecimal(double value)
{
    // Written as "%.1f" writes it, rounded to the nearest, without printf's cost.
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return LocalizeDecimalPoint(std::string(buffer, written.ptr));
}

std::string FormatSize(int unit, int64_t bytes)
{
    if (bytes < 0)
        return "? " + Translate("sSizeByte");
    const double k = double(bytes) / 1024.0;
    const double m = k / 1024.0;
    const double g = m / 1024.0;
    if (unit == suGByte || (unit == suAuto && g > 1))
        return FormatOneDecimal(g) + " " + Translate("sSizeGByte");
    if (unit == suMByte || (unit == suAuto && m > 1))
        return FormatOneDecimal(m) + " " + Translate("sSizeMByte");
    if (unit == suKByte || (unit == suAuto && k > 1))
        return FormatOneDecimal(k) + " " + Translate("sSizeKByte");
    return std::to_string(bytes) + " " + Translate("sSizeByte");
}

namespace {

// value as strftime's format writes it in the user's regional settings (LC_TIME); empty
// when they cannot be read.
std::string FormatLocalTime(const TDateTimeParts& parts, const char* format)
{
    // Read once: the user's settings do not change while the program runs.
    static const locale_t user = [] {
        locale_t l = newlocale(LC_TIME_MASK, "", locale_t(0));
        return l ? l : newlocale(LC_TIME_MASK, "C", locale_t(0));
    }();
    std::tm tm{};
    tm.tm_year = parts.Year - 1900;
    tm.tm_mon = parts.Month - 1;
    tm.tm_mday = parts.Day;
    tm.tm_hour = parts.Hour;
    tm.tm_min = parts.Minute;
    tm.tm_sec = parts.Second;
    char buffer[128];
    const std::size_t length = user ? strftime_l(buffer, sizeof buffer, format, &tm, user) : 0;
    return std::string(buffer, length);
}

// The locale's form of the parts by strftime's format, or fallback's numbers where the
// locale gives none.
std::string FormatLocalOr(const TDateTimeParts& parts, const char* format, const char* fallback, int a, int b, int c)
{
    std::string text = FormatLocalTime(parts, format);
    if (text.empty()) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, fallback, a, b, c);
        text = buffer;
    }
    return text;
}

}  // namespace

std::string FormatDate(TDateTime value)
{
    const TDateTimeParts p = DecodeDateTime(value);
    return FormatLocalOr(p, "%x", "%04d-%02d-%02d", p.Year, p.Month, p.Day);
}

std::string FormatTime(TDateTime value)
{
    const TDateTimeParts p = DecodeDateTime(value);
    return FormatLocalOr(p, "%X", "%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
}

std::string FormatBitSpeed(uint64_t bitsPerSecond, bool inBits, int unit)
{
    const double base = inBits ? 1000.0 : 1024.0;
    const uint64_t plain = inBits ? bitsPerSecond : bitsPerSecond / 8;
    const double k = double(plain) / base;
    const double m = k / base;
    if (unit == spMega || (unit == spAuto && m > 1.0))
        return FormatOneDecimal(m) + " " + Translate(inBits ? "sSpeedMbit" : "sSpeedMbyte");
    if (unit == spKilo || (unit == spAuto && k > 1.0))
        return FormatOneDecimal(k) + " " + Translate(inBits ? "sSpeedKBit" : "sSpeedKByte");
    return std::to_string(plain) + " " + Translate(inBits ? "sSpeedBit" : "sSpeedByte");
}

std::string FormatDateTime(TDateTime value)
{
    return FormatDate(value) + " " + FormatTime(value);
}

std::string ListRowHint(const std::vector<std::string>& captions, const std::vector<std::string>& texts)
{
    std::string hint;
    for (std::size_t column = 0; column < texts.size(); ++column) {
        const std::string caption = column < captions.size() ? captions[column] : std::string();
        hint += (column ? "\r\n" : "") + caption + ": " + texts[column];
    }
    return hint;
}

int ProgressFillWidth(int percent, int innerWidth)
{
    if (innerWidth <= 0)
        return 0;
    return std::clamp(int(std::lround(double(innerWidth) * percent / 100.0)), 0, innerWidth);
}
