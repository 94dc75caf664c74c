#include "tasks/qt/TaskListDelegate.h"

#include "config/qt/PercentBar.h"
#include "tasks/TaskColumns.h"
#include "tasks/TaskTypes.h"
#include "tasks/qt/TaskImages.h"
#include "tasks/qt/TaskListModel.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>


namespace {

constexpr int kStateImageWidth = 18;

}  // namespace

void TTaskListDelegate::PaintProgress(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    QStyleOptionViewItem text = option;
    initStyleOption(&text, index);
    const QString percent = text.text;
    text.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &text, painter, text.widget);

    const int textWidth = option.fontMetrics.horizontalAdvance("000%");
    PaintPercentBar(*painter, option.rect.adjusted(0, 3, -textWidth, -3),
                    index.data(TTaskListModel::PercentRole).toInt());
    painter->save();
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
    } else if (index.column() == 0) {
        // The state image stands before the file-type icon and the name.
        QStyleOptionViewItem rest = option;
        rest.rect.setLeft(option.rect.left() + kStateImageWidth);
        QStyleOptionViewItem state = option;
        state.rect.setWidth(kStateImageWidth);
        initStyleOption(&state, index);
        state.text.clear();
        state.icon = QIcon();
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &state, painter, state.widget);
        const int taskState = index.data(TTaskListModel::StateRole).toInt();
        if (taskState >= 0 && taskState < kTaskStateCount)
            TaskStateIcon(TTaskState(taskState))
                .paint(painter, QRect(option.rect.left() + 1, option.rect.top(), 16, option.rect.height()));
        QStyledItemDelegate::paint(painter, rest, index);
    } else {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() == kTaskPriorityColumn) {
            const int priority = index.data(TTaskListModel::PriorityRole).toInt();
            if (priority >= 0 && priority < kTrafficPriorityCount)
                PriorityIcon(TTrafficPriority(priority))
                    .paint(painter,
                           QRect(option.rect.left() + (option.rect.width() - 16) / 2, option.rect.top(), 16, 16));
        }
    }
    PaintGrid(painter, option);
}

QSize TTaskListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize size = TListDelegate::sizeHint(option, index);
    return index.column() == 0 ? size + QSize(kStateImageWidth, 0) : size;
}
