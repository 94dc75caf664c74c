#include "tasks/qt/TaskImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace {

constexpr int kSize = 32;  // drawn large, shown at any size

QPixmap Canvas()
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A coloured disc with a white symbol of the state.
QIcon DrawState(TTaskState state)
{
    struct TLook {
        QColor Colour;
        char Symbol;  // '>' play, '=' pause, 'x' cross, 'v' tick, '.' clock, 'z' wait
    };
    static const std::array<TLook, kTaskStateCount> looks = {{
        {QColor(120, 144, 176), 'z'},  // waiting
        {QColor(46, 160, 67), '>'},    // started
        {QColor(140, 140, 140), '='},  // stopped
        {QColor(230, 140, 30), '>'},   // failed, retrying
        {QColor(210, 50, 50), 'x'},    // failed for good
        {QColor(40, 120, 210), 'v'},   // completed
        {QColor(150, 90, 190), '.'},   // scheduled
        {QColor(200, 170, 40), '='},   // paused for a while
    }};
    const TLook& look = looks[std::size_t(state)];
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(look.Colour.darker(130), 1.5));
    painter.setBrush(look.Colour);
    painter.drawEllipse(QRectF(2, 2, kSize - 4, kSize - 4));
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    switch (look.Symbol) {
    case '>': {
        QPainterPath path;
        path.moveTo(12, 9);
        path.lineTo(23, 16);
        path.lineTo(12, 23);
        path.closeSubpath();
        painter.drawPath(path);
        break;
    }
    case '=':
        painter.drawLine(12, 10, 12, 22);
        painter.drawLine(20, 10, 20, 22);
        break;
    case 'x':
        painter.drawLine(11, 11, 21, 21);
        painter.drawLine(21, 11, 11, 21);
        break;
    case 'v':
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygon({QPoint(10, 16), QPoint(14, 21), QPoint(22, 11)}));
        break;
    case '.':
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(16, 16, 16, 9);
        painter.drawLine(16, 16, 21, 19);
        break;
    default:
        painter.drawPoint(10, 16);
        painter.drawPoint(16, 16);
        painter.drawPoint(22, 16);
        break;
    }
    return QIcon(pixmap);
}

// Bars rising with the priority; the highest, unlimited, fills all five.
QIcon DrawPriority(TTrafficPriority priority)
{
    QPixmap pixmap = Canvas();
    QPainter painter(&pixmap);
    for (int bar = 0; bar < kTrafficPriorityCount; ++bar) {
        const int height = 6 + bar * 5;
        const QRect rect(2 + bar * 6, kSize - 2 - height, 5, height);
        painter.fillRect(rect, bar <= priority ? QColor(92, 129, 214) : QColor(210, 215, 225));
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon TaskStateIcon(TTaskState state)
{
    static std::array<QIcon, kTaskStateCount> icons;
    QIcon& icon = icons[std::size_t(state)];
    if (icon.isNull())
        icon = DrawState(state);
    return icon;
}

QIcon PriorityIcon(TTrafficPriority priority)
{
    static std::array<QIcon, kTrafficPriorityCount> icons;
    QIcon& icon = icons[std::size_t(priority)];
    if (icon.isNull())
        icon = DrawPriority(priority);
    return icon;
}
