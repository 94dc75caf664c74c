#include "config/qt/PercentBar.h"

#include "core/DisplayFormats.h"

#include <QColor>
#include <QPainter>
#include <QRect>

void PaintPercentBar(QPainter& painter, const QRect& bar, int percent)
{
    static const QColor frame(92, 129, 214);
    static const QColor ground(225, 243, 255);
    if (bar.width() <= 4 || bar.height() <= 4)
        return;
    painter.save();
    painter.setPen(frame);
    painter.setBrush(ground);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));
    const QRect inner = bar.adjusted(2, 2, -2, -2);
    painter.fillRect(QRect(inner.topLeft(), QSize(ProgressFillWidth(percent, inner.width()), inner.height())), frame);
    painter.restore();
}
