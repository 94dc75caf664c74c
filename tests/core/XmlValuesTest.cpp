#include "core/XmlValues.h"

#include <gtest/gtest.h>
#include <locale>
#include <optional>

namespace {

// Parses text into a value that starts as the marker; nullopt when it stays untouched.
template <class T>
std::optional<T> Parsed(const char* text, T marker)
{
    T value = marker;
    if (!ParseXmlValue(text, value)) {
        EXPECT_EQ(value, marker) << "a failed parse changed the value: " << text;
        return std::nullopt;
    }
    return value;
}

enum TSampleKind { skFirst, skSecond, skThird };

} // namespace

TEST(XmlValuesTest, Integer)
{
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0}, {"42", 42}, {"-17", -17}, {"+5", 5}, {" 12\n", 12},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt}, {"-2147483649", std::nullopt},
        {"$1F", 31}, {"$ff", 255}, {"$FFFFFFFF", -1}, {"$7FFFFFFF", 2147483647},
        {"$100000000", std::nullopt}, {"$", std::nullopt}, {"$-1", std::nullopt},
        {"0x1F", std::nullopt}, {"1F", std::nullopt}, {"12abc", std::nullopt},
        {"1.5", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt}, {"+-1", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parsed<std::int32_t>(c.text, 99), c.value) << '"' << c.text << '"';
}

TEST(XmlValuesTest, CardinalAndColorKeepAllThirtyTwoBits)
{
    struct Case {
        const char* text;
        std::optional<std::uint32_t> value;
    } cases[] = {
        {"0", 0u}, {"2147483648", 2147483648u}, {"4294967295", 4294967295u},
        {"4294967296", std::nullopt}, {"-1", 4294967295u}, {"-2147483648", 2147483648u},
        {"-2147483649", std::nullopt}, {"$FFFFFFFF", 4294967295u}, {"$80000000", 2147483648u},
        {"blue", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parsed<std::uint32_t>(c.text, 7u), c.value) << c.text;

    for (const TColor color : {TColor(0), TColor(0x7FFFFFFF), TColor(0x80000000), TColor(0xFFFFFFFF)})
        EXPECT_EQ(Parsed<TColor>(XmlValueText(color).c_str(), 7u), color);
    EXPECT_EQ(XmlValueText(std::uint32_t(4000000000u)), "4000000000");
}

TEST(XmlValuesTest, Int64)
{
    struct Case {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"9223372036854775807", INT64_MAX}, {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", std::nullopt}, {"5000000000", 5000000000}, {"$100000000", 4294967296},
        {"$FFFFFFFFFFFFFFFF", -1}, {"$10000000000000000", std::nullopt}, {"5 GB", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parsed<std::int64_t>(c.text, 3), c.value) << c.text;
    EXPECT_EQ(XmlValueText(std::int64_t(-5000000000)), "-5000000000");
}

TEST(XmlValuesTest, Boolean)
{
    struct Case {
        const char* text;
        std::optional<bool> value;
    } cases[] = {
        // clang-format off
        {"True", true}, {"true", true}, {"TRUE", true}, {"False", false}, {"false", false},
        {"1", true}, {"0", false}, {"-3", true}, {" True ", true}, {"+0", false}, {"$0", false},
        {"$a", true}, {"99999999999999999999", true}, {"-", std::nullopt}, {"$", std::nullopt},
        {"0x1", std::nullopt}, {"1.0", std::nullopt},
        {"yes", std::nullopt}, {"on", std::nullopt}, {"", std::nullopt}, {"Truely", std::nullopt},
        // clang-format on
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parsed<bool>(c.text, true), c.value) << c.text;
        EXPECT_EQ(Parsed<bool>(c.text, false), c.value) << c.text;
    }
    EXPECT_EQ(XmlValueText(true), "True");
    EXPECT_EQ(XmlValueText(false), "False");
}

TEST(XmlValuesTest, DateTimeReadsEitherSeparator)
{
    struct Case {
        const char* text;
        std::optional<double> days;
    } cases[] = {
        {"45123.5", 45123.5}, {"45123,5", 45123.5}, {"-1.25", -1.25}, {"0", 0.0}, {"45123", 45123.0},
        {"1E-5", 1e-5}, {" 2.5 ", 2.5}, {"1.234,5", std::nullopt}, {"1,234.5", std::nullopt},
        {"nan", std::nullopt}, {"inf", std::nullopt}, {"today", std::nullopt}, {"", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto parsed = Parsed<TDateTime>(c.text, TDateTime{-7});
        EXPECT_EQ(parsed.has_value(), c.days.has_value()) << c.text;
        if (parsed && c.days) {
            EXPECT_DOUBLE_EQ(parsed->Value, *c.days) << c.text;
        }
    }
}

TEST(XmlValuesTest, DateTimeIsWrittenWithAPointWhateverTheLocale)
{
    struct CommaPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    const TDateTime time = EncodeDateTime(2024, 3, 17, 13, 45, 30, 250);
    const std::string text = XmlValueText(time);
    std::locale::global(saved);

    EXPECT_EQ(text.find(','), std::string::npos) << text;
    EXPECT_NE(text.find('.'), std::string::npos) << text;
    const auto back = Parsed<TDateTime>(text.c_str(), TDateTime{});
    ASSERT_TRUE(back.has_value());
    EXPECT_NEAR(back->Value, time.Value, 1e-9); // 15 significant digits: well under a millisecond

    EXPECT_EQ(XmlValueText(TDateTime{45123.5}), "45123.5");
    EXPECT_EQ(XmlValueText(TDateTime{0}), "0");
}

TEST(XmlValuesTest, ChildElementsKeepTextsAndEnumerations)
{
    pugi::xml_document doc;
    pugi::xml_node item = doc.append_child("Item");
    WriteChild(item, "Name", "a <b> & c"); // a literal stays text, never a bool
    WriteChild(item, "Kind", skThird);
    std::string name;
    TSampleKind kind = skFirst;
    EXPECT_TRUE(ReadChild(item, "Name", name) && ReadChild(item, "Kind", kind));
    EXPECT_EQ(name, "a <b> & c");
    EXPECT_EQ(kind, skThird);
}
