#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "core/MessageFormat.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

#include <cstdlib>
#include <tuple>

namespace {

class DisplayFormats : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageText("sSizeByte", "B");
        SetMessageText("sSizeKByte", "KB");
        SetMessageText("sSizeMByte", "MB");
        SetMessageText("sSizeGByte", "GB");
    }
    void TearDown() override
    {
        ClearMessageTexts();
        FormatSettings().DecimalSeparator = '.';
    }
};

TEST_F(DisplayFormats, SizeInEachUnit)
{
    struct Case {
        int unit;
        int64_t bytes;
        const char* expected;
    };
    const Case cases[] = {
        {4, 0, "0 B"},
        {4, 1023, "1023 B"},
        {4, 1024, "1024 B"},          // 1.0 KB is not greater than 1
        {4, 1025, "1.0 KB"},
        {4, 1572864, "1.5 MB"},
        {4, 5368709120LL, "5.0 GB"},  // above 32 bits
        {3, 1048576, "0.0 GB"},
        {2, 1048576, "1.0 MB"},
        {1, 1536, "1.5 KB"},
        {0, 123456789, "123456789 B"},
        {0, -1, "? B"},
        {3, -1, "? B"},
        {4, 1024 * 1024 * 1024 + 1, "1.0 GB"},
        {1, 1024 * 10240 - 52, "10239.9 KB"},  // wide numbers are not cut or padded
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSize(c.unit, c.bytes), c.expected) << "unit " << c.unit << ", " << c.bytes << " bytes";
}

TEST_F(DisplayFormats, SizeFollowsTheRegionalDecimalSeparator)
{
    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(FormatSize(4, 1572864), "1,5 MB");
    EXPECT_EQ(FormatMessage("%.1f", {2.25}), "2,2");
}

TEST_F(DisplayFormats, DecimalSeparatorComesFromTheLocale)
{
    FormatSettings().DecimalSeparator = ',';
    EXPECT_TRUE(LoadFormatSettingsFromLocale("C"));
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
    EXPECT_FALSE(LoadFormatSettingsFromLocale("xx_NOWHERE.UTF-8"));
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');

    // A locale with a decimal comma, compiled for this test, as the user's environment.
    TTempDir locales;
    const std::string build = "localedef -i de_DE -f UTF-8 " + locales.File("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0)
        GTEST_SKIP() << "no locale with a decimal comma can be made here";
    const char* previous = std::getenv("LC_ALL");
    const std::string kept = previous ? previous : "";
    setenv("LOCPATH", locales.Path().c_str(), 1);
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    const bool loaded = LoadFormatSettingsFromLocale();
    unsetenv("LOCPATH");
    previous ? setenv("LC_ALL", kept.c_str(), 1) : unsetenv("LC_ALL");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(FormatSize(4, 1572864), "1,5 MB");
}

TEST_F(DisplayFormats, UnitWordIsTheIdentifierWithoutACatalogueText)
{
    ClearMessageTexts();
    EXPECT_EQ(FormatSize(0, 5), "5 sSizeByte");
}

TEST(DisplayFormatsDuration, WholeSecondsAsHoursMinutesSeconds)
{
    struct Case {
        int64_t ms;
        const char* expected;
    };
    const Case cases[] = {
        {0, ""},
        {999, "0:00:00"},
        {1000, "0:00:01"},
        {59999, "0:00:59"},
        {3661000, "1:01:01"},
        {36000000LL * 100, "1000:00:00"},  // no upper bound on hours, no leading zero
        {5000000000000LL, "1388888:53:20"}, // beyond 2^32 seconds
        {-1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDuration(c.ms), c.expected) << c.ms << " ms";
}

TEST(MessageFormat, InsertsArgumentsByDirective)
{
    struct Case {
        const char* format;
        TFormatArgs args;
        const char* expected;
    };
    const Case cases[] = {
        {"Opened %s", {std::string("/tmp/a b")}, "Opened /tmp/a b"},
        {"Retry %d of %d, wait %d s", {int64_t(2), int64_t(5), int64_t(5)}, "Retry 2 of 5, wait 5 s"},
        {"%1:s then %0:s", {std::string("a"), std::string("b")}, "b then a"},
        {"[%5s|%-5s]", {std::string("ab"), std::string("cd")}, "[   ab|cd   ]"},
        {"100%% of %s", {std::string("x")}, "100% of x"},
        {"%x", {int64_t(255)}, "FF"},
        {"%.2s|%.3d|%4d|%-3d|", {std::string("abcd"), int64_t(7), int64_t(-7), int64_t(5)}, "ab|007|  -7|5  |"},
        {"%s", {int64_t(-7)}, "-7"},                        // number given for a text
        {"%d", {std::string("text")}, "text"},              // text given for a number
        {"%s and %s", {std::string("one")}, "one and %s"},  // missing argument stays as written
        {"100% sure %s", {std::string("x")}, "100% sure x"},
        {"end %", {std::string("x")}, "end %"},
        // A number given for an integer is cut to the integers' range.
        {"%d|%d", {2.9, 1e300}, "2|9223372036854775807"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMessage(c.format, c.args), c.expected) << c.format;
}

TEST(MessageFormat, TextsWithoutArgumentsAreStoredLiterally)
{
    EXPECT_EQ(FormatLogText("550 50%s done %d", {}), "550 50%s done %d");
    EXPECT_EQ(FormatLogText("got %s", {std::string("it")}), "got it");
}

} // namespace

TEST(DisplayFormatsDateTime, StoredDaysDecodeToTheirCalendarParts)
{
    struct TCase {
        double Days;
        TDateTimeParts Parts;
    };
    const TCase cases[] = {
        {0.0, {1899, 12, 30, 0, 0, 0, 0}},
        {2.75, {1900, 1, 1, 18, 0, 0, 0}},
        {-1.25, {1899, 12, 29, 6, 0, 0, 0}},  // before the epoch the fraction is still the time
        {EncodeDateTime(2024, 2, 29, 23, 59, 59, 999).Value, {2024, 2, 29, 23, 59, 59, 999}},
        {45000.0 + 0.99999999999, {2023, 3, 15, 23, 59, 59, 999}},  // never rounds into the next day
    };
    for (const TCase& c : cases) {
        const TDateTimeParts p = DecodeDateTime(TDateTime{c.Days});
        EXPECT_EQ(std::tie(p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, p.Millisecond),
                  std::tie(c.Parts.Year, c.Parts.Month, c.Parts.Day, c.Parts.Hour, c.Parts.Minute, c.Parts.Second,
                           c.Parts.Millisecond))
            << c.Days;
    }
    // Shown with the seconds, in whatever form the user's settings give.
    EXPECT_NE(FormatDateTime(EncodeDateTime(2024, 2, 29, 23, 58, 57)).find("58:57"), std::string::npos);
}
