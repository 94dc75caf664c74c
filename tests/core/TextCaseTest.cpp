#include "core/TextCase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextPair {
    const char* A;
    const char* B;
    bool Same;
};

TEST(TextCaseTest, SameTextFoldsEveryScriptAndKeepsInvalidBytes)
{
    const TextPair cases[] = {
        {"Readme.TXT", "readme.txt", true},
        {"ÄÖÜ", "äöü", true},
        {"ПРИВЕТ", "привет", true},
        {"ΣΟΦΟΣ", "σοφος", true},              // final sigma
        {"ΣΟΦΟΣ", "σοφοσ", true},
        {"ı", "i", false},                      // dotless i folds only under Turkish rules
        {"İ", "i", false},
        {"\xE9", "\xC9", false},                // Latin-1 bytes are not UTF-8: compared as bytes
        {"\xE9", "é", false},
        {"a\xFF" "B", "A\xFF" "b", true},
        {"", "", true},
        {"a", "", false},
    };
    for (const TextPair& c : cases) {
        EXPECT_EQ(SameText(c.A, c.B), c.Same) << c.A << " / " << c.B;
        EXPECT_EQ(SameText(c.B, c.A), c.Same) << c.B << " / " << c.A;
    }
}

TEST(TextCaseTest, FoldCaseKeepsInvalidBytesAndEqualTextsFoldAlike)
{
    EXPECT_EQ(FoldCase("ÄbC\xE9" "Ж\xC3"), "äbc\xE9" "ж\xC3");
    EXPECT_EQ(FoldCase("\xF0\x9F\x98\x80 OK"), "\xF0\x9F\x98\x80 ok");  // 4-byte character intact
    EXPECT_EQ(FoldCase("Key ÄÖ"), "key äö");                            // ASCII first, then the rest
    EXPECT_EQ(FoldCase("\xED\xA0\x80"), "\xED\xA0\x80");              // encoded surrogate stays bytes
    EXPECT_EQ(FoldCase("ΣΟΦΟΣ"), FoldCase("σοφος"));
    EXPECT_EQ(FoldedCodePoints("a\xE9"), std::u32string(U"a\xDCE9"));
}

TEST(TextCaseTest, CompareTextOrdersByFoldedCodePoints)
{
    struct Case {
        const char* A;
        const char* B;
        int Sign;
    };
    const Case cases[] = {
        {"apple", "BANANA", -1},
        {"Zebra", "apple", 1},
        {"abc", "ABC", 0},
        {"ab", "ABC", -1},
        {"a", "ä", -1},
        {"Ärger", "ärger", 0},
        {"", "x", -1},
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(CompareText(c.A, c.B)), c.Sign) << c.A << " / " << c.B;
        EXPECT_EQ(sign(CompareText(c.B, c.A)), -c.Sign) << c.B << " / " << c.A;
    }
}

TEST(TextCaseTest, StartsTextNeedsTheWholePrefix)
{
    const TextPair cases[] = {
        {"HTTP://", "http://host/", true},
        {"ftp://", "FTP://", true},
        {"ftp://", "ftp:/", false},
        {"Äb", "äBc", true},
        {"ä", "a", false},
        {"\xC3", "\xC3\xA4", false},  // a cut character is not the character
        {"", "anything", true},
        {"", "", true},
    };
    for (const TextPair& c : cases)
        EXPECT_EQ(StartsText(c.A, c.B), c.Same) << c.A << " / " << c.B;
}

} // namespace
