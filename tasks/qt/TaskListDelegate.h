#pragma once

#include "config/qt/ListDelegate.h"

// The task list's rows: the list's stripes and grid, the percent column as a progress bar
// beside its text, and the priority column as the priority's image centred at the cell's top.
class TTaskListDelegate : public TListDelegate {
public:
    TTaskListDelegate(QHeaderView& header, TLook look, QObject* parent) : TListDelegate(header, look, parent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void PaintProgress(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
};
