#pragma once

#include "config/qt/MirrorTableModel.h"

#include <vector>

class IRecordRows;

// The item model of a record page's list: the shown rows of the manager's row list, in its
// order, with the page's columns, hints and file-type icons. It follows every change of the row list with the
// proper structural signals and refers to the records only through the rows.
class TRecordListModel : public TMirrorTableModel {
    Q_OBJECT
public:
    explicit TRecordListModel(QObject* parent = nullptr);
    ~TRecordListModel() override;

    // Mirrors these rows from now on (not owned); null lets go of them. The columns stay
    // those of the last rows, so the header keeps its settings without rows.
    void Attach(IRecordRows* rows);
    IRecordRows* Rows() const { return Rows_; }

    // Brings the mirror to the row list; runs by itself on every change of the rows.
    void SyncRows();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    IRecordRows* Rows_ = nullptr;
    int Columns_ = 0;
    std::vector<const void*> Shown_;
};
