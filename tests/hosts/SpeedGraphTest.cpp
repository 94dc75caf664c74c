#include "core/SynchroInteger.h"
#include "hosts/TrafficGraph.h"
#include "hosts/TrafficUsage.h"
#include "support/TaskFakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

namespace {

TEST(SpeedGraphTest, SchemesFileReadsUnusableTextsAsTheirFallbacks)
{
    TTempDir dir;
    const std::string path = dir.File("schemas.xml");
    std::ofstream(path) << "<TraffSchemasRoot><Default>x</Default><TraffSchemaCollection>"
                           "<TraffSchema><Name>Night</Name><FilledGraph>maybe</FilledGraph>"
                           "<DrawTick>False</DrawTick><VerticalDiv>many</VerticalDiv><GridColor>-</GridColor>"
                           "<BackColor>255</BackColor></TraffSchema>"
                           "<TraffSchema><Name>Day</Name></TraffSchema>"
                           "</TraffSchemaCollection></TraffSchemasRoot>";
    TRecordingBoxes boxes;
    TTraffSchemaCollection schemes(boxes);
    schemes.Default = 1;
    schemes.LoadFromFile(path);
    ASSERT_EQ(schemes.Count(), 2);
    EXPECT_EQ(schemes.Default, 0);
    const TTraffSchemaItem& night = schemes[0];
    EXPECT_TRUE(night.FilledGraph);
    EXPECT_FALSE(night.DrawTick);
    EXPECT_EQ(night.VerticalDiv, 3);
    EXPECT_EQ(night.GridColor, 2469711u);
    EXPECT_EQ(night.BackColor, 255u);

    // What is written reads back the same.
    schemes.SetCurrent(1);
    schemes[1].AutoScale = false;
    ASSERT_TRUE(schemes.SaveToFile({}));
    TTraffSchemaCollection again(boxes);
    again.LoadFromFile(path);
    ASSERT_EQ(again.Count(), 2);
    EXPECT_EQ(again.Default, 1);
    EXPECT_FALSE(again[1].AutoScale);
    EXPECT_FALSE(again[0].DrawTick);
    EXPECT_EQ(again[0].BackColor, 255u);
    EXPECT_TRUE(boxes.Shown.empty());
}

TEST(SpeedGraphTest, SamplesTheSpeedOfEachIntervalAndKeepsWhatThePlotHolds)
{
    TRecordingBoxes boxes;
    TTrafficUsageCollection types(boxes);
    types.AddConnectionType("LAN").Bandwidth = 2000000;
    TTrafficGraph graph(boxes);
    graph.SetConnectionTypes(&types);
    TSynchroInteger counter(500);
    graph.SampleSpeed(counter, 1000);  // only starts the clock
    EXPECT_TRUE(graph.Samples().empty());
    EXPECT_EQ(counter.Value(), 0);
    counter.Increment(125000);
    graph.SampleSpeed(counter, 2000);
    counter.Increment(1);
    graph.SampleSpeed(counter, 2016);  // 8 bits in 16 ms: 500 bits/s
    EXPECT_EQ(graph.Samples(), (std::deque<uint32_t>{500, 1000000}));
    EXPECT_EQ(graph.ReceivedSinceStart(), 125501);

    // A plot 300 pixels wide keeps 300 samples: the oldest goes first.
    for (uint32_t t = 3000; t < 3000 + 400 * 1000; t += 1000)
        graph.SampleSpeed(counter, t);
    // The plot runs from 2 + 5 + 1 to the width less 3 + 5 + 1, both ends shown.
    TGraphMetrics metrics{.Width = 317, .Height = 50, .MarginLetterWidth = 0, .TextLineHeight = 8};
    graph.Paint(metrics, 0);
    EXPECT_EQ(graph.Samples().size(), 300u);
    EXPECT_EQ(graph.Samples().back(), 0u);
    EXPECT_EQ(graph.ScaleMaximum(), 0u);  // automatic: the largest sample left
    graph.ToggleAutoScale();              // no scheme: nothing to switch
    EXPECT_TRUE(graph.AutoScale());
    TTraffSchemaItem& fixed = graph.Schemes().AddSchema("Fixed");
    fixed.AutoScale = false;
    EXPECT_EQ(graph.ScaleMaximum(), 2000000u);

    // A hand-edited scheme: far more levels than pixels, a type far slower than the traffic.
    fixed.VerticalDiv = std::numeric_limits<int32_t>::max();
    types[0].Bandwidth = 1;
    counter.Increment(int64_t(1) << 29);
    graph.SampleSpeed(counter, 403000);
    EXPECT_LT(graph.Paint(metrics, 0).size(), 1000u);
}

TEST(SpeedGraphTest, SchemeNamesAreAskedUntilNewAndTheLastSchemeStays)
{
    TRecordingBoxes boxes;
    TTraffSchemaCollection schemes(boxes);
    schemes.AddSchema("Night").GraphColor = 42;
    TScriptedDialogs dialogs;
    // Empty, then taken, then Cancel on the error box: nothing added.
    dialogs.InputAnswers = {{true, ""}, {true, "Night"}};
    dialogs.MessageBoxAnswers = {TModalResult::OK, TModalResult::Cancel};
    EXPECT_FALSE(AddSchemaAsked(schemes, dialogs));
    EXPECT_EQ(dialogs.Asked, (std::vector<std::string>{"Input:sInputSchemaNameCaption", "Error:sEmptySchemaName",
                                                       "Input:sInputSchemaNameCaption", "Error:sDuplicateSchemaName"}));
    EXPECT_EQ(schemes.Count(), 1);
    dialogs.InputAnswers = {{true, "night"}};
    ASSERT_TRUE(AddSchemaAsked(schemes, dialogs));
    ASSERT_EQ(schemes.Count(), 2);
    EXPECT_EQ(schemes.Default, 1);
    EXPECT_EQ(schemes.CurrentScheme()->Name, "night");
    EXPECT_EQ(schemes.CurrentScheme()->GraphColor, 42u);

    dialogs.MessageBoxAnswers = {TModalResult::Cancel, TModalResult::OK};
    EXPECT_FALSE(DeleteSchemaAsked(schemes, dialogs));
    EXPECT_TRUE(DeleteSchemaAsked(schemes, dialogs));
    EXPECT_EQ(dialogs.Asked.back(), "Warning:sDeleteSchema");
    ASSERT_EQ(schemes.Count(), 1);
    EXPECT_EQ(schemes.Default, 0);
    EXPECT_FALSE(DeleteSchemaAsked(schemes, dialogs));
    EXPECT_EQ(schemes.Count(), 1);
}

}  // namespace
