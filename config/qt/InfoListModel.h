#pragma once

#include "config/ColumnCaptions.h"

#include <QAbstractTableModel>

#include <functional>
#include <string>

// The information list under a page's list: fixed rows, each the caption of a column of the
// page's list and its text for the subject shown now (the focused row while it is selected
// and shown). The texts are read at each paint.
class TInfoListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // A row's text for the subject now, empty without one.
    using TText = std::function<std::string(int row)>;

    // The rows' captions come from one list's columns, the two columns' own from another.
    TInfoListModel(TCaptionedList rowCaptions, int rows, TCaptionedList header, QObject* parent);

    // Null: no subject, every text empty.
    void SetText(TText text);
    // The subject or its values may have changed: one dataChanged over the rows.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TCaptionedList RowCaptions_;
    int Rows_;
    TCaptionedList Header_;
    TText Text_;
};
