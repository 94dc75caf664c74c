#include "config/qt/ListDelegate.h"

#include "config/qt/ListColumns.h"

#include <QHeaderView>
#include <QPainter>

namespace {

const QColor kStripe(247, 247, 247);
const QColor kGrid(220, 220, 220);

} // namespace

TListDelegate::TListDelegate(QHeaderView& header, TLook look, QObject* parent)
    : QStyledItemDelegate(parent), Header_(header), Look_(look)
{
}

void TListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = ColumnAlignment(Header_, index.column());
}

void TListDelegate::PaintBackground(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (On(Look_.Stripped) && index.row() % 2 == 1)
        painter->fillRect(option.rect, kStripe);
}

void TListDelegate::PaintGrid(QPainter* painter, const QStyleOptionViewItem& option) const
{
    painter->save();
    painter->setPen(kGrid);
    if (On(Look_.HorzGrid))
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    if (On(Look_.VertGrid))
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
}

void TListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    PaintBackground(painter, option, index);
    QStyledItemDelegate::paint(painter, option, index);
    PaintGrid(painter, option);
}
