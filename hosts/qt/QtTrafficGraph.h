#pragma once

#include "hosts/TrafficGraph.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class IClock;

// The speed graph strip of the main window: samples the program-wide traffic counter every
// second and paints the picture that TTrafficGraph makes, with an etched border.
class TQtTrafficGraph : public QWidget {
    Q_OBJECT
public:
    TQtTrafficGraph(IMessageBoxPort& boxes, IClock& clock, QWidget* parent = nullptr);

    TTrafficGraph& Graph() { return Graph_; }
    QTimer& Timer() { return Timer_; }
    // The clock's second that the ticks follow; tests fix it.
    std::function<int()> CurrentSecond;

    // One beat of the timer: a sample of the traffic counter, then a repaint.
    void SampleSpeed();
    // The measures of the control and its fonts that the picture is made for.
    TGraphMetrics Metrics() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TTrafficGraph Graph_;
    IClock& Clock_;
    QTimer Timer_;
    QFont TextFont_;
};
