#pragma once

#include "core/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

// Regional settings that the display formats follow.
struct TFormatSettings {
    char DecimalSeparator = '.';
};

// The program-wide settings; LoadFormatSettingsFromLocale fills them at start-up.
TFormatSettings& FormatSettings();
// Takes the decimal separator of the numeric conventions of the named locale, or of the
// user's environment (LC_ALL, LC_NUMERIC, LANG) when the name is empty. A locale that is
// not installed, or whose separator is not a single byte, leaves the settings as they are;
// false then.
bool LoadFormatSettingsFromLocale(const std::string& localeName = "");

// Size units of the option iSizeType.
enum TSizeUnit { suByte = 0, suKByte = 1, suMByte = 2, suGByte = 3, suAuto = 4 };

// Speed units of the option iSpeedType.
enum TSpeedUnit { spPlain = 0, spKilo = 1, spMega = 2, spAuto = 3 };

// A speed given in bits per second, in bits (base 1000) or in bytes (base 1024) and the
// unit given, with one decimal in the kilo and mega units and the catalogue's unit word.
// The automatic unit steps up only above 1.0 of the next unit.
std::string FormatBitSpeed(uint64_t bitsPerSecond, bool inBits, int unit);

// "42%".
std::string FormatPercent(int percent);
// "h:mm:ss" of the whole seconds, hours without bound; empty for 0 (and below).
std::string FormatDuration(int64_t milliseconds);
// A byte count in the given unit with the catalogue's unit word; "? <byte word>" when negative.
std::string FormatSize(int unit, int64_t bytes);
// Replaces the C library's "." in a formatted number by the regional separator.
std::string LocalizeDecimalPoint(std::string number);
// A number with one decimal, rounded to the nearest, with the regional separator.
std::string FormatOneDecimal(double value);
// A date and time as the user's regional settings (LC_TIME) write them, seconds included.
std::string FormatDateTime(TDateTime value);
// The date alone and the time of day alone, likewise.
std::string FormatDate(TDateTime value);
std::string FormatTime(TDateTime value);
// A list row's hint: one "caption: text" line per column, joined by CR LF; a column
// without a caption shows an empty one.
std::string ListRowHint(const std::vector<std::string>& captions, const std::vector<std::string>& texts);

// The width of a bar's fill inside innerWidth pixels: the percentage of it, rounded, within
// the bar (a percentage past 100, from unknown sizes, fills it whole).
int ProgressFillWidth(int percent, int innerWidth);
