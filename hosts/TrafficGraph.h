#pragma once

#include "hosts/TraffSchema.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class TSynchroInteger;
class TTrafficUsageCollection;

struct TGraphPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TGraphPoint&) const = default;
};

// One step of the graph's picture, in pixels of the control. Every pixel of a line is
// drawn, both ends included.
struct TGraphShape {
    enum class TKind {
        Fill,      // Points: the top-left and bottom-right pixels
        Line,      // Points: two ends
        Polyline,  // Points: the corners
        Text,      // Points: the box as for Fill; Text right-aligned, centred vertically
    };
    TKind Kind = TKind::Line;
    TColor Color = 0;
    bool Dotted = false;
    std::vector<TGraphPoint> Points;
    std::string Text;
};

// What the painting needs to know of the control and its fonts.
struct TGraphMetrics {
    int Width = 100;
    int Height = 100;
    int MarginLetterWidth = 0;  // "X" in the control's font: the text margin is ten of them
    int TextLineHeight = 0;     // "X" in the font of the texts
};

// The speed graph: one sample of the program's download speed per second, newest first,
// kept for as many seconds as the plot is wide, drawn in the look of the current scheme.
// Speeds are in bits per second.
class TTrafficGraph {
public:
    explicit TTrafficGraph(IMessageBoxPort& boxes) : Schemes_(boxes) {}

    int TickBigHeight = 5;
    int TickSmallHeight = 3;
    int TickBigInterval = 60;
    int TickSmallInterval = 10;
    int VerticalGap = 5;

    TTraffSchemaCollection& Schemes() { return Schemes_; }
    const TTraffSchemaCollection& Schemes() const { return Schemes_; }
    // The connection types give the scale while the scheme's scale is not automatic.
    void SetConnectionTypes(const TTrafficUsageCollection* types) { Types_ = types; }

    // Once a second: takes and clears the bytes counted since the last call and adds the
    // speed of that interval as the newest sample. now is the tick count in milliseconds;
    // the first call only starts the clock.
    void SampleSpeed(TSynchroInteger& counter, uint32_t now);
    // Every byte the samples took since the program started.
    int64_t ReceivedSinceStart() const { return ReceivedSinceStart_; }
    const std::deque<uint32_t>& Samples() const { return Samples_; }

    // The top of the scale: the largest sample shown with an automatic scale, else the
    // bandwidth of the current connection type (the largest sample without one).
    uint32_t ScaleMaximum() const;
    // The current scheme's setting; true without a scheme.
    bool AutoScale() const;
    // Switches the current scheme's automatic scale; nothing without a scheme.
    void ToggleAutoScale();
    // The current scheme, or the look used without one.
    TTraffSchemaItem Look() const;

    // The picture of the control, back to front, without its etched border. Drops the
    // samples the plot has no room for and finds the scale and the mean. second is the
    // clock's (0 to 59): it moves the ticks with the curve.
    std::vector<TGraphShape> Paint(const TGraphMetrics& metrics, int second);

private:
    TTraffSchemaCollection Schemes_;
    const TTrafficUsageCollection* Types_ = nullptr;
    std::deque<uint32_t> Samples_;
    uint32_t LastSampleTime_ = 0;
    uint32_t AutoMaximum_ = 0;
    int64_t Mean_ = 0;
    int64_t ReceivedSinceStart_ = 0;
};
