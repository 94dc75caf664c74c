#include "tasks/qt/TaskListDelegate.h"

#include "tasks/TaskColumns.h"
#include "tasks/TaskTypes.h"
#include "tasks/qt/TaskListModel.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

const QColor kBarFrame(92, 129, 214);
const QColor kBarBack(225, 243, 255);

} // namespace

QPixmap TTaskListDelegate::PriorityImage(int priority)
{
    static QPixmap images[kTrafficPriorityCount];
    if (priority < 0 || priority >= kTrafficPriorityCount)
        return {};
    QPixmap& image = images[priority];
    if (image.isNull()) {
        image = QPixmap(16, 16);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        for (int bar = 0; bar < kTrafficPriorityCount; ++bar) {
            const int height = 3 + bar * 3;
            painter.fillRect(QRect(1 + bar * 3, 15 - height, 2, height), bar <= priority ? kBarFrame : QColor(200, 200, 200));
        }
    }
    return image;
}

void TTaskListDelegate::PaintProgress(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem text = option;
    initStyleOption(&text, index);
    const QString percent = text.text;
    text.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &text, painter, text.widget);

    const int textWidth = option.fontMetrics.horizontalAdvance("000%");
    QRect bar = option.rect.adjusted(0, 3, -textWidth, -3);
    painter->save();
    if (bar.width() > 2 && bar.height() > 2) {
        painter->setPen(kBarFrame);
        painter->setBrush(kBarBack);
        painter->drawRect(bar.adjusted(0, 0, -1, -1));
        const QRect inner = bar.adjusted(1, 1, -1, -1);
        const int value = std::clamp(index.data(TTaskListModel::PercentRole).toInt(), 0, 100);
        const int width = int(std::lround(inner.width() * value / 100.0));
        if (width > 0) {
            painter->setPen(kBarBack);
            painter->setBrush(kBarFrame);
            painter->drawRect(QRect(inner.left(), inner.top(), width, inner.height()).adjusted(0, 0, -1, -1));
        }
    }
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                          : option.palette.text().color());
    painter->drawText(QRect(option.rect.right() - textWidth, option.rect.top(), textWidth, option.rect.height()),
                      Qt::AlignRight | Qt::AlignVCenter, percent);
    painter->restore();
}

void TTaskListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    PaintBackground(painter, option, index);
    if (index.column() == kTaskPercentColumn) {
        PaintProgress(painter, option, index);
    } else {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() == kTaskPriorityColumn) {
            const QPixmap image = PriorityImage(index.data(TTaskListModel::PriorityRole).toInt());
            painter->drawPixmap(option.rect.left() + (option.rect.width() - image.width()) / 2, option.rect.top(), image);
        }
    }
    PaintGrid(painter, option);
}
