#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/MessageCatalogue.h"
#include "hosts/SpeedFormats.h"
#include "hosts/TrafficUsage.h"
#include "support/TaskFakes.h"

#include <gtest/gtest.h>

namespace {

// Unit words and priority names show as their message identifiers.
class SpeedFormatsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearMessageTexts();
        Options() = TOptions{};
    }
    void TearDown() override
    {
        Options() = TOptions{};
        FormatSettings().DecimalSeparator = '.';
    }
};

} // namespace

TEST_F(SpeedFormatsTest, FormatBitSpeedInBitsAndBytesAndEveryUnit)
{
    struct TCase {
        uint64_t Value;
        bool InBits;
        int Unit;
        const char* Expected;
    };
    const TCase cases[] = {
        {999, true, spAuto, "999 sSpeedBit"},
        {1000, true, spAuto, "1000 sSpeedBit"},  // the kilo step needs more than 1.0
        {1001, true, spAuto, "1.0 sSpeedKBit"},
        {1000000, true, spAuto, "1000.0 sSpeedKBit"},
        {1500000, true, spAuto, "1.5 sSpeedMbit"},
        {4294967295u, true, spPlain, "4294967295 sSpeedBit"},
        {10000000000u, true, spAuto, "10000.0 sSpeedMbit"},  // a local copy beyond 2^32 bit/s
        {250, true, spKilo, "0.2 sSpeedKBit"},  // halves to even
        {750, true, spKilo, "0.8 sSpeedKBit"},
        {1250000, true, spMega, "1.2 sSpeedMbit"},
        {8000, false, spAuto, "1000 sSpeedByte"},
        {8192, false, spAuto, "1024 sSpeedByte"},
        {9000, false, spAuto, "1.1 sSpeedKByte"},  // 1125 bytes
        {15, false, spPlain, "1 sSpeedByte"},      // whole bytes, rounded down
        {10240, false, spKilo, "1.2 sSpeedKByte"}, // 1.25
        {14336, false, spKilo, "1.8 sSpeedKByte"}, // 1.75
        {25165824, false, spAuto, "3.0 sSpeedMbyte"},
        {8, false, spMega, "0.0 sSpeedMbyte"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FormatBitSpeed(c.Value, c.InBits, c.Unit), c.Expected) << c.Value << " " << c.InBits << c.Unit;

    FormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(FormatBitSpeed(1500000, true, spAuto), "1,5 sSpeedMbit");
}

TEST_F(SpeedFormatsTest, PriorityCaptionsShowTheCurrentTypesSpeedAndShare)
{
    TRecordingBoxes boxes;
    TTrafficUsageCollection types(boxes);
    EXPECT_EQ(FormatPriorityCaption(types, tpMiddlePriority), "sMiddlePriority");  // no current type

    Options().MeasureSpeedInBits = false;
    TTrafficUsageItem& type = types.AddConnectionType("8 bit");
    type.Bandwidth = 8000;
    SetPrioritySpeed(type, tpLowestPriority, 1000);  // 12.5% rounds to 12
    SetPrioritySpeed(type, tpLowerPriority, 3000);   // 37.5% rounds to 38
    SetPrioritySpeed(type, tpHighestPriority, 7);    // has no speed
    EXPECT_EQ(PriorityCaptions(types),
              (std::vector<std::string>{"sLowestPriority - 125 sSpeedByte (12%)",
                                        "sLowerPriority - 375 sSpeedByte (38%)", "sMiddlePriority - 0 sSpeedByte (0%)",
                                        "sHigherPriority - 0 sSpeedByte (0%)", "sHighestPriority"}));
    type.Bandwidth = 0;  // only a hand-edited file holds one
    EXPECT_EQ(FormatPriorityCaption(types, tpLowerPriority), "sLowerPriority - 375 sSpeedByte (0%)");
    type.Bandwidth = 1;  // a speed 3000 times the bandwidth, or more per cent than an int holds
    EXPECT_EQ(GetPriorityShare(type, tpLowerPriority), 300000);
    SetPrioritySpeed(type, tpLowerPriority, 4294967295u);
    EXPECT_EQ(GetPriorityShare(type, tpLowerPriority), 2147483647);
}
