#include "hosts/TrafficGraph.h"

#include "config/Options.h"
#include "core/DisplayFormats.h"
#include "core/SynchroInteger.h"
#include "hosts/TrafficUsage.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int Round(double value)
{
    // Halves to even, as everywhere the program rounds. A sample far above a fixed scale
    // gives heights no int holds: they are cut, far beyond any control.
    constexpr double kLimit = 1 << 24;
    return int(std::nearbyint(std::clamp(value, -kLimit, kLimit)));
}

class TPicture {
public:
    void Fill(TColor color, int left, int top, int right, int bottom)
    {
        if (right >= left && bottom >= top)
            Shapes.push_back({TGraphShape::TKind::Fill, color, false, {{left, top}, {right, bottom}}, {}});
    }
    void Line(TColor color, int x1, int y1, int x2, int y2, bool dotted = false)
    {
        Shapes.push_back({TGraphShape::TKind::Line, color, dotted, {{x1, y1}, {x2, y2}}, {}});
    }
    void Text(TColor color, int left, int top, int right, int bottom, std::string text)
    {
        Shapes.push_back({TGraphShape::TKind::Text, color, false, {{left, top}, {right, bottom}}, std::move(text)});
    }

    std::vector<TGraphShape> Shapes;
};

// The x of every tick of one kind, from the right edge leftwards: they start s mod
// interval pixels left of it, so that they travel with the curve.
std::vector<int> TickPositions(int left, int right, int second, int interval)
{
    std::vector<int> positions;
    if (interval <= 0)
        return positions;
    for (int x = right - second % interval; x > left; x -= interval)
        positions.push_back(x);
    return positions;
}

}  // namespace

void TTrafficGraph::SampleSpeed(TSynchroInteger& counter, uint32_t now)
{
    counter.Lock();
    const int64_t bytes = counter.Value();
    ReceivedSinceStart_ += bytes;
    if (LastSampleTime_ != 0 && LastSampleTime_ < now) {
        const double speed = double(bytes) / double(now - LastSampleTime_) * 1000.0 * 8.0;
        const double top = double(std::numeric_limits<uint32_t>::max());
        Samples_.push_front(uint32_t(std::nearbyint(std::clamp(speed, 0.0, top))));
    }
    counter.Decrement(bytes);
    LastSampleTime_ = now;
    counter.UnLock();
}

uint32_t TTrafficGraph::ScaleMaximum() const
{
    if (!Types_)
        return 0;
    if (AutoScale())
        return AutoMaximum_;
    const TTrafficUsageItem* type = Types_->GetCurrentConnectionType();
    return type ? type->Bandwidth : AutoMaximum_;
}

bool TTrafficGraph::AutoScale() const
{
    const TTraffSchemaItem* scheme = Schemes_.CurrentScheme();
    return scheme ? scheme->AutoScale : true;
}

void TTrafficGraph::ToggleAutoScale()
{
    if (TTraffSchemaItem* scheme = Schemes_.CurrentScheme())
        scheme->AutoScale = !scheme->AutoScale;
}

TTraffSchemaItem TTrafficGraph::Look() const
{
    const TTraffSchemaItem* scheme = Schemes_.CurrentScheme();
    return scheme ? *scheme : NoSchemeLook();
}

std::vector<TGraphShape> TTrafficGraph::Paint(const TGraphMetrics& metrics, int second)
{
    const TTraffSchemaItem look = Look();
    TPicture picture;
    picture.Fill(look.BackColor, 0, 0, metrics.Width - 1, metrics.Height - 1);

    // The client area less 2 pixels, less the text margin on the left: the frame lies
    // VerticalGap inside it, the plot one pixel inside the frame.
    const int margin = 10 * metrics.MarginLetterWidth;
    const int frameLeft = 2 + margin + VerticalGap;
    const int frameTop = 2 + VerticalGap;
    const int frameRight = metrics.Width - 3 - VerticalGap;
    const int frameBottom = metrics.Height - 3 - VerticalGap;
    const int left = frameLeft + 1;
    const int top = frameTop + 1;
    const int right = frameRight - 1;
    const int bottom = frameBottom - 1;

    // The curve. The graph keeps as many seconds as the plot is wide.
    const std::size_t room = std::size_t(std::max(right - left, 0));
    while (Samples_.size() > room)
        Samples_.pop_back();
    if (AutoScale() || AutoMaximum_ == 0)
        AutoMaximum_ = Samples_.empty() ? 0 : *std::max_element(Samples_.begin(), Samples_.end());
    const uint32_t maximum = ScaleMaximum();
    int64_t sum = 0;
    for (uint32_t sample : Samples_)
        sum += sample;
    Mean_ = Samples_.empty() ? 0 : int64_t(std::nearbyint(double(sum) / double(Samples_.size())));
    const int depth = bottom - top + 1;
    const auto height = [&](uint32_t value) { return std::min(depth, Round(double(depth) * value / maximum)); };
    if (maximum != 0 && depth > 0) {
        const int count = int(Samples_.size());
        if (look.FilledGraph) {
            for (int i = 0; i < count && i <= right - left; ++i)
                if (const int h = height(Samples_[std::size_t(i)]); h > 0)
                    picture.Line(look.GraphColor, right - i, bottom, right - i, bottom - h + 1);
        } else if (count > 0) {
            TGraphShape line{TGraphShape::TKind::Polyline, look.GraphColor, false, {{right, bottom + 1}}, {}};
            for (int i = 0; i < count; ++i)
                line.Points.push_back({right - i, bottom - height(Samples_[std::size_t(i)]) + 1});
            line.Points.push_back({right - count + 1, bottom + 1});
            picture.Shapes.push_back(std::move(line));
        }
        if (look.ShowMeanValueLine) {
            const int y = bottom - Round(double(depth) * double(Mean_) / maximum);
            picture.Line(look.ColorMeanValueLine, left, y, right, y, true);
        }
    }

    // The frame with its ticks and the bar of the current speed on its left.
    const TColor grid = look.GridColor;
    picture.Line(grid, frameRight, frameTop - TickBigHeight, frameRight, frameBottom + TickBigHeight);
    picture.Line(grid, frameLeft, frameTop - TickBigHeight, frameLeft, frameBottom + TickBigHeight);
    const int tickSecond = look.AnimateAxisTime ? second : 0;
    const std::vector<int> bigTicks = TickPositions(frameLeft, frameRight, tickSecond, TickBigInterval);
    if (look.DrawTick) {
        for (const auto& [interval, length] :
             {std::pair{TickSmallInterval, TickSmallHeight}, std::pair{TickBigInterval, TickBigHeight}})
            for (int x : TickPositions(frameLeft, frameRight, tickSecond, interval))
                if (length > 0) {
                    picture.Line(grid, x, frameBottom + 1, x, frameBottom + length);
                    picture.Line(grid, x, frameTop - 1, x, frameTop - length);
                }
    }
    const int barLeft = frameLeft - TickBigHeight;
    if (look.ShowCurrentSpeedGraph) {
        if (!Samples_.empty()) {
            const int full = frameBottom - frameTop;
            const int h = maximum == 0 ? 0 : std::min(full, Round(double(full) * Samples_.front() / maximum));
            picture.Fill(look.GraphColor, barLeft, frameBottom - h, frameLeft - 1, frameBottom - 1);
        }
        picture.Line(grid, barLeft, frameTop, barLeft, frameBottom);
    }
    picture.Line(grid, barLeft, frameBottom, frameRight + TickBigHeight, frameBottom);
    picture.Line(grid, barLeft, frameTop, frameRight + TickBigHeight, frameTop);
    std::vector<int> levels;
    // A hand-edited file may ask for more levels than there are pixels.
    const int divisions = std::clamp(look.VerticalDiv, 0, std::max(frameBottom - frameTop, 0));
    for (int k = 1; k <= divisions; ++k)
        levels.push_back(frameBottom - Round(double(k) * (frameBottom - frameTop) / (divisions + 1)));
    if (look.DrawTick) {
        const int leftEnd =
            look.ShowCurrentSpeedGraph ? frameLeft - TickBigHeight - 1 : frameLeft - TickSmallHeight - 1;
        for (int y : levels) {
            picture.Line(grid, frameRight, y, frameRight + TickSmallHeight, y);
            picture.Line(grid, frameLeft, y, leftEnd + 1, y);
        }
    }

    // The texts in the margin: the top of the scale, the newest sample, the mean.
    const TOptions& options = Options();
    const auto speed = [&](uint64_t value) {
        return FormatBitSpeed(value, options.MeasureSpeedInBits, options.iSpeedType);
    };
    const int lineHeight = metrics.TextLineHeight;
    const std::pair<bool, uint64_t> lines[] = {
        {look.ShowMaxSpeedText && maximum != 0, maximum},
        {look.ShowCurrentSpeedText && !Samples_.empty() && maximum != 0, Samples_.empty() ? 0 : Samples_.front()},
        {look.ShowAverageSpeedText && Mean_ != 0, uint64_t(std::max<int64_t>(Mean_, 0))},
    };
    for (int line = 0; line < 3; ++line)
        if (lines[line].first) {
            const int y = 2 + line * (lineHeight + 3);
            picture.Text(look.ColorSpeedText, 2, y, 2 + margin - 2, y + lineHeight - 1, speed(lines[line].second));
        }

    // The grids, dotted, at the levels and the big ticks.
    if (look.DrawHorizontalGrid)
        for (int y : levels)
            picture.Line(grid, frameLeft, y, frameRight, y, true);
    if (look.DrawVerticalGrid)
        for (int x : bigTicks)
            picture.Line(grid, x, frameBottom, x, frameTop, true);
    return std::move(picture.Shapes);
}
