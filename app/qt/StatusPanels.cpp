#include "app/qt/StatusPanels.h"

#include "app/ProgramSession.h"
#include "app/qt/QuorvexForm.h"
#include "app/qt/WindowImages.h"
#include "config/qt/PercentBar.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int kPanelWidths[kDrawnStatusPanels] = {70, 80, 80, 120, 80};
constexpr int kHintPanelWidth = 50;
constexpr int kIconSize = 16;

}  // namespace

TStatusPanels::TStatusPanels(TQuorvexForm& form) : QWidget(&form), Form_(form)
{
    int width = kHintPanelWidth;
    for (int panel : kPanelWidths)
        width += panel;
    setMinimumWidth(width);
    setMinimumHeight(kIconSize + 6);
}

void TStatusPanels::SetHint(const QString& hint)
{
    Hint_ = hint;
    update();
}

QRect TStatusPanels::PanelRect(int panel) const
{
    int left = 0;
    for (int k = 0; k < panel; ++k)
        left += kPanelWidths[k];
    const int width =
        panel < kDrawnStatusPanels ? kPanelWidths[panel] : std::max(kHintPanelWidth, this->width() - left);
    return QRect(left, 0, width, height());
}

void TStatusPanels::Gather()
{
    Figures_ = StatusBarFiguresOf(Form_.PageInFront(), Form_.Session().Tasks(), Form_.Session().History(),
                                  Form_.ReceivedSinceStart());
}

void TStatusPanels::paintEvent(QPaintEvent*)
{
    Gather();
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QFontMetrics metrics = painter.fontMetrics();
    for (int index = 0; index < kDrawnStatusPanels; ++index) {
        const TStatusPanel& panel = Figures_[std::size_t(index)];
        QRect area = PanelRect(index).adjusted(2, 0, -2, 0);
        painter.setPen(palette().mid().color());
        painter.drawLine(area.topRight() + QPoint(2, 3), area.bottomRight() + QPoint(2, -3));
        if (panel.Empty())
            continue;
        if (panel.Images != TPanelImages::None) {
            const QIcon icon = StatusPanelIcon(panel.Images, panel.ImageIndex);
            icon.paint(&painter, QRect(area.left(), area.center().y() - kIconSize / 2, kIconSize, kIconSize));
            area.setLeft(area.left() + kIconSize + 3);
        }
        if (panel.Percent >= 0) {
            // The bar, left of room for the widest percentage.
            PaintPercentBar(painter, area.adjusted(2, 3, -metrics.horizontalAdvance("999%") - 2, -3), panel.Percent);
        }
        painter.setPen(palette().windowText().color());
        const int flags = Qt::AlignVCenter | (panel.RightAligned ? Qt::AlignRight : Qt::AlignLeft);
        painter.drawText(area, flags,
                         metrics.elidedText(QString::fromStdString(panel.Text), Qt::ElideRight, area.width()));
    }
    if (!Hint_.isEmpty()) {
        const QRect area = PanelRect(kDrawnStatusPanels).adjusted(4, 0, -2, 0);
        painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                         metrics.elidedText(Hint_, Qt::ElideRight, area.width()));
    }
}

bool TStatusPanels::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    for (int index = 0; index < kDrawnStatusPanels; ++index) {
        const QRect hot = PanelRect(index).adjusted(-3, -3, 3, 3);
        const std::string& tip = Figures_[std::size_t(index)].Tooltip;
        if (hot.contains(help->pos()) && !tip.empty()) {
            QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this, hot);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}
