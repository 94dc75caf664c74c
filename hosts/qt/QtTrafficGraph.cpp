#include "hosts/qt/QtTrafficGraph.h"

#include "core/Clock.h"
#include "transfer/TrafficCounter.h"

#include <QPainter>
#include <QTime>

namespace {

constexpr int kSampleInterval = 1000;  // milliseconds

QColor ToQColor(TColor color)
{
    return QColor(int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff));
}

QPoint ToQPoint(TGraphPoint point)
{
    return QPoint(point.X, point.Y);
}

}  // namespace

TQtTrafficGraph::TQtTrafficGraph(IMessageBoxPort& boxes, IClock& clock, QWidget* parent)
    : QWidget(parent), Graph_(boxes), Clock_(clock), TextFont_(QStringLiteral("Verdana"))
{
    setObjectName(QStringLiteral("TrafficGraph1"));
    TextFont_.setPointSize(7);
    CurrentSecond = [] { return QTime::currentTime().second(); };
    resize(100, 100);
    Timer_.setInterval(kSampleInterval);
    connect(&Timer_, &QTimer::timeout, this, &TQtTrafficGraph::SampleSpeed);
    Timer_.start();
}

void TQtTrafficGraph::SampleSpeed()
{
    Graph_.SampleSpeed(TrafficCounter(), Clock_.TickCount());
    update();
}

TGraphMetrics TQtTrafficGraph::Metrics() const
{
    return {width(), height(), fontMetrics().horizontalAdvance(QLatin1Char('X')),
            QFontMetrics(TextFont_).boundingRect(QLatin1Char('X')).height()};
}

void TQtTrafficGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(TextFont_);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const TGraphShape& shape : Graph_.Paint(Metrics(), CurrentSecond()))
        switch (shape.Kind) {
        case TGraphShape::TKind::Fill:
            painter.fillRect(QRect(ToQPoint(shape.Points[0]), ToQPoint(shape.Points[1])), ToQColor(shape.Color));
            break;
        case TGraphShape::TKind::Line:
        case TGraphShape::TKind::Polyline: {
            painter.setPen(QPen(ToQColor(shape.Color), 1, shape.Dotted ? Qt::DotLine : Qt::SolidLine));
            QPolygon points;
            for (TGraphPoint point : shape.Points)
                points << ToQPoint(point);
            painter.drawPolyline(points);
            break;
        }
        case TGraphShape::TKind::Text:
            painter.setPen(ToQColor(shape.Color));
            painter.drawText(QRect(ToQPoint(shape.Points[0]), ToQPoint(shape.Points[1])),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, QString::fromStdString(shape.Text));
            break;
        }
    // The etched border: light inset by one pixel, dark at the edges.
    const QRect edge(0, 0, width() - 2, height() - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(edge.translated(1, 1));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(edge);
}
