#pragma once

#include <QStyledItemDelegate>

class QHeaderView;

// Paints the rows of the program's lists: every second row (the model holds the shown rows
// only) on a light grey when the stripes option is on, grid lines as the grid options say,
// and each column's text aligned as its stored setting says. The options are read at each
// paint, so toggling them needs only a repaint.
class TListDelegate : public QStyledItemDelegate {
public:
    // The list's options; the grid commands switch them through Look().
    struct TLook {
        bool* Stripped = nullptr;
        bool* VertGrid = nullptr;
        bool* HorzGrid = nullptr;
    };
    TListDelegate(QHeaderView& header, TLook look, QObject* parent);
    const TLook& Look() const { return Look_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static bool On(const bool* flag) { return flag && *flag; }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    // The row's background before the cell is drawn; the stripes here.
    virtual void PaintBackground(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void PaintGrid(QPainter* painter, const QStyleOptionViewItem& option) const;

    QHeaderView& Header_;
    TLook Look_;
};
