#include "hosts/TrafficUsage.h"
#include "hosts/qt/QtTrafficGraph.h"
#include "support/TaskFakes.h"
#include "transfer/TrafficCounter.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr TColor kBack = 0xffffff;
constexpr TColor kGraph = 0x0000ff;  // red
constexpr TColor kGrid = 0xff0000;   // blue
constexpr TColor kMean = 0x00ff00;   // green
constexpr TColor kText = 0x008000;

QRgb Rgb(TColor color)
{
    return qRgb(int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff));
}

// A graph 200 x 60 with a scheme of plain colours; its plot runs from the text margin
// plus 8 pixels to x = 191 and from y = 8 to y = 51.
class SpeedGraphPaintTest : public ::testing::Test {
protected:
    SpeedGraphPaintTest() : Graph_(Boxes_, Clock_)
    {
        Types_.AddConnectionType("Link").Bandwidth = 2000000;
        Graph_.Graph().SetConnectionTypes(&Types_);
        TTraffSchemaItem& scheme = Graph_.Graph().Schemes().AddSchema("Plain");
        scheme.BackColor = kBack;
        scheme.GraphColor = kGraph;
        scheme.GridColor = kGrid;
        scheme.ColorMeanValueLine = kMean;
        scheme.ColorSpeedText = kText;
        scheme.AnimateAxisTime = false;
        Graph_.Timer().stop();
        Graph_.CurrentSecond = [] { return 0; };
        Graph_.resize(200, 60);
        Graph_.SampleSpeed();  // starts the clock
    }

    // Seconds of traffic at a steady speed.
    QImage Traffic(int64_t bitsPerSecond, int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            TrafficCounter().Increment(bitsPerSecond / 8);
            Clock_.Advance(1000);
            Graph_.SampleSpeed();
        }
        return Graph_.grab().toImage();
    }
    int PlotLeft() const { return 2 + 10 * Graph_.fontMetrics().horizontalAdvance(QLatin1Char('X')) + 6; }
    int Count(const QImage& image, QRect area, TColor color) const
    {
        int found = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                found += image.pixel(x, y) == Rgb(color);
        return found;
    }

    // The text column left of the frame and its ticks: anything drawn there is text.
    int Written(const QImage& image) const
    {
        const QRect column(QPoint(2, 2), QPoint(PlotLeft() - 13, kBottom));
        return int(column.width() * column.height()) - Count(image, column, kBack);
    }

    static constexpr int kRight = 191;
    static constexpr int kTop = 8;
    static constexpr int kBottom = 51;
    TRecordingBoxes Boxes_;
    TManualClock Clock_;
    TTrafficUsageCollection Types_{Boxes_};
    TQtTrafficGraph Graph_;
};

TEST_F(SpeedGraphPaintTest, SteadyTrafficFillsThePlotWithAnAutomaticScale)
{
    const QImage image = Traffic(1000000, 20);
    // Twenty full columns at the right, nothing left of them; the bar of the current speed
    // is full too, and the mean runs along the top.
    EXPECT_EQ(Count(image, QRect(QPoint(kRight - 19, kTop), QPoint(kRight, kBottom)), kGraph),
              20 * (kBottom - kTop + 1));
    EXPECT_EQ(Count(image, QRect(QPoint(PlotLeft(), kTop), QPoint(kRight - 20, kBottom)), kGraph), 0);
    EXPECT_EQ(image.pixel(PlotLeft() - 3, kTop), Rgb(kGraph));
    EXPECT_EQ(image.pixel(kRight, kTop - 1), Rgb(kGrid));
    EXPECT_GT(Written(image), 0);
}

TEST_F(SpeedGraphPaintTest, ConnectionTypeOfTwiceTheSpeedFillsHalfTheHeight)
{
    Graph_.Graph().ToggleAutoScale();
    const QImage image = Traffic(1000000, 20);
    const int half = (kBottom - kTop + 1) / 2;
    EXPECT_EQ(image.pixel(kRight, kBottom), Rgb(kGraph));
    EXPECT_EQ(image.pixel(kRight, kBottom - half + 1), Rgb(kGraph));
    EXPECT_EQ(image.pixel(kRight, kBottom - half - 1), Rgb(kBack));
    // The mean line, dotted, right above the curve.
    EXPECT_GT(Count(image, QRect(QPoint(PlotLeft(), kBottom - half), QPoint(kRight, kBottom - half)), kMean), 20);
}

TEST_F(SpeedGraphPaintTest, NoTrafficDrawsTheFrameAndNothingInThePlot)
{
    const QImage image = Traffic(0, 20);
    EXPECT_EQ(Count(image, image.rect(), kGraph), 0);
    EXPECT_EQ(Count(image, image.rect(), kMean), 0);
    EXPECT_EQ(Written(image), 0);
    EXPECT_EQ(image.pixel(kRight + 1, kBottom + 1), Rgb(kGrid));
    EXPECT_EQ(image.pixel(kRight + 1, kTop - 1), Rgb(kGrid));
}

}  // namespace
