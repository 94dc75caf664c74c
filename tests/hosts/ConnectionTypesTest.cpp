#include "HostBed.h"

#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "hosts/ConnectionTypesEditor.h"
#include "hosts/SpeedFormats.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// Bandwidth, high, middle, low and lowest speed.
std::vector<uint32_t> Speeds(const TTrafficUsageItem& t)
{
    return {t.Bandwidth, t.HighTraffic, t.MiddleTraffic, t.LowTraffic, t.LowestTraffic};
}

class ConnectionTypesTest : public ::testing::Test {
protected:
    void SetUp() override { ClearMessageTexts(); }

    THostBed Host;
    TTrafficUsageCollection& Types = Host.ConnectionTypes;
    TTempDir Dir;

    TConnectionTypesEditor Editor()
    {
        return TConnectionTypesEditor(Types, Host.Bed.Dialogs, Host.HostDialogs, Host.Bed.Desktop);
    }
};

} // namespace

TEST_F(ConnectionTypesTest, FileRoundTripKeepsEverySpeedAndTheChoices)
{
    TTrafficUsageItem& lan = Types.AddConnectionType("LAN 2.5G");
    lan.Bandwidth = 3000000000u;  // above the signed 32-bit range
    lan.HighTraffic = 2400000000u;
    lan.LowestTraffic = 1;
    lan.Editable = true;
    Types.AddConnectionType("other");
    Types.DefIndex = 1;
    Types.DefTraf = tpHigherPriority;
    ASSERT_TRUE(Types.SaveToFile(Dir.File("connections.xml")));
    EXPECT_NE(ReadFileBytes(Dir.File("connections.xml")).find("<Midlle>0</Midlle>"), std::string::npos);

    TTrafficUsageCollection read(Host.Bed.Boxes);
    read.LoadFromFile(Dir.File("connections.xml"));
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read[0].Name, "LAN 2.5G");
    EXPECT_EQ(Speeds(read[0]), Speeds(lan));
    EXPECT_TRUE(read[0].Editable);
    EXPECT_FALSE(read[1].Editable);
    EXPECT_EQ(read.DefIndex, 1);
    EXPECT_EQ(read.DefTraf, tpHigherPriority);

    // An index past the end selects no type until GetCurrentIndex lowers it; copies take it lowered.
    read.DefIndex = 5;
    EXPECT_EQ(read.GetCurrentConnectionType(), nullptr);
    Types.Assign(read);
    EXPECT_EQ(Types.DefIndex, 1);
    EXPECT_EQ(read.GetCurrentIndex(), 1);
    EXPECT_EQ(read.GetCurrentConnectionType(), &read[1]);
}

TEST_F(ConnectionTypesTest, MissingAndBadElementsReadAsTheirFallbacks)
{
    struct TCase {
        const char* Root;  // inside "ConnectionsSettings"; before the load DefIndex is 1, DefTraf middle
        int DefIndex;
        TTrafficPriority DefTraf;
        std::vector<uint32_t> Speeds;
        bool Editable;
    };
    const TCase cases[] = {
        {"<Connections><C><Name>n</Name></C></Connections>", 1, tpMiddlePriority, {0, 0, 0, 0, 0}, false},
        {"<DefIndex>x</DefIndex><DefTraf>7</DefTraf><Connections><C><Bandwidth>lots</Bandwidth><High>-5</High>"
         "<Midlle>4294967296</Midlle><Low>4294967295</Low><Editable>yes</Editable></C></Connections>",
         0, tpLowestPriority, {0, 0, 0, 4294967295u, 0}, false},
        {"<DefIndex>-3</DefIndex><DefTraf>2</DefTraf><Connections><Any><Lowest>9</Lowest><Editable>TRUE</Editable>"
         "</Any></Connections>",
         0, tpMiddlePriority, {0, 0, 0, 0, 9}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Root);
        WriteFileBytes(Dir.File("c.xml"), std::string("<ConnectionsSettings>") + c.Root + "</ConnectionsSettings>");
        TTrafficUsageCollection read(Host.Bed.Boxes);
        read.DefIndex = 1;
        read.DefTraf = tpMiddlePriority;
        read.AddConnectionType("dropped by the load");
        read.LoadFromFile(Dir.File("c.xml"));
        ASSERT_EQ(read.Count(), 1);
        EXPECT_EQ(read.DefIndex, c.DefIndex);
        EXPECT_EQ(read.DefTraf, c.DefTraf);
        EXPECT_EQ(Speeds(read[0]), c.Speeds);
        EXPECT_EQ(read[0].Editable, c.Editable);
    }
    Types.LoadFromFile(Dir.File("none.xml"));
    EXPECT_EQ(Types.Count(), 0);
    EXPECT_TRUE(Host.Bed.Boxes.Shown.empty());
}

TEST_F(ConnectionTypesTest, AddAsksUntilTheInputIsGoodAndDividesTheBandwidth)
{
    Types.AddConnectionType("factory");
    Host.HostDialogs.NewConnectionAnswers = {
        {"", "5"}, {"mine", ""}, {"mine", "0"}, {"mine", "4294967296"}, {"mine", "1000000"}, {"ten", "10"}};
    TConnectionTypesEditor editor = Editor();
    ASSERT_TRUE(editor.Add());
    EXPECT_EQ(Host.HostDialogs.NewConnectionShown.front().first, "sConnectionName 2");
    EXPECT_EQ(Host.Bed.Dialogs.Asked,
              (std::vector<std::string>{"Error:sInputNameIsEmpty", "Error:sInputBandwidthIsEmpty",
                                        "Error:sInputBandwidthError", "Error:sInputBandwidthError"}));
    ASSERT_EQ(editor.Types().Count(), 2);
    EXPECT_EQ(editor.Types().DefIndex, 1);
    EXPECT_EQ(Speeds(editor.Types()[1]), (std::vector<uint32_t>{1000000, 800000, 500000, 250000, 50000}));
    EXPECT_TRUE(editor.Types()[1].Editable);
    EXPECT_EQ(FormatPriorityCaption(editor.Types(), tpHigherPriority), "sHigherPriority - 800.0 sSpeedKBit (80%)");
    EXPECT_EQ(Types.Count(), 1);  // the program's types change only on OK
    editor.ApplyTo(Types);
    EXPECT_EQ(Types.Count(), 2);

    ASSERT_TRUE(editor.Add());  // 2.5 and 0.5 round to even
    EXPECT_EQ(Speeds(editor.Types()[2]), (std::vector<uint32_t>{10, 8, 5, 2, 0}));
    EXPECT_FALSE(editor.Add());  // cancelled
}

TEST_F(ConnectionTypesTest, OnlyEditableTypesChangeAndTheLastIsNeverDeleted)
{
    Types.AddConnectionType("factory");
    Types.AddConnectionType("mine").Editable = true;
    TConnectionTypesEditor editor = Editor();
    EXPECT_FALSE(editor.CanEdit() || editor.CanDelete());  // the factory type is current
    editor.SelectType(1);
    Host.HostDialogs.NameAnswers = {"", "renamed"};
    EXPECT_TRUE(editor.Edit());
    EXPECT_EQ(editor.TypeNames(), (std::vector<std::string>{"factory", "renamed"}));
    Host.Bed.Dialogs.MessageBoxAnswers = {TModalResult::No, TModalResult::Yes};
    EXPECT_FALSE(editor.Delete());
    EXPECT_TRUE(editor.Delete());
    EXPECT_EQ(editor.TypeNames(), (std::vector<std::string>{"factory"}));
    EXPECT_EQ(editor.TypeIndex(), 0);

    editor.Types()[0].Editable = true;
    EXPECT_TRUE(editor.CanEdit());
    EXPECT_FALSE(editor.CanDelete());
}

TEST_F(ConnectionTypesTest, TypedSharesAndSpeedsStayWithinTheBandwidth)
{
    Options().iSpeedType = spKilo;
    Types.AddConnectionType("1 Mbit").Bandwidth = 1000000;
    Types.DefTraf = tpMiddlePriority;
    TConnectionTypesEditor editor = Editor();
    auto update = editor.ShareTyped("150");
    EXPECT_EQ(update.Share, 100);
    EXPECT_EQ(update.SpeedText, "1000");
    EXPECT_EQ(editor.Types()[0].MiddleTraffic, 1000000u);
    editor.ShareTyped("half");
    EXPECT_EQ(Host.Bed.Desktop.Beeps.size(), 1u);

    editor.SetMode(TConnectionTypesEditor::lmSpeed);
    editor.SelectPriority(tpLowerPriority);
    update = editor.SpeedTyped("2000");
    EXPECT_EQ(update.SpeedText, "1000");
    update = editor.SpeedTyped("12.5");
    EXPECT_FALSE(update.SpeedText);
    EXPECT_EQ(update.Share, 1);  // 1.25%
    EXPECT_EQ(editor.SpeedText(), "12.50");
    editor.SpeedTyped("0");
    EXPECT_EQ(Host.Bed.Desktop.Beeps.size(), 2u);
    EXPECT_EQ(editor.Types()[0].LowTraffic, 12500u);
    EXPECT_EQ(editor.Types().DefTraf, tpMiddlePriority);  // choosing a priority sets no default
}
