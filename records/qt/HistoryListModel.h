#pragma once

#include "config/qt/MirrorTableModel.h"

#include <QHash>
#include <QIcon>

#include <vector>

class THistoryItem;
class THistoryManager;

// The history list's item model: the shown rows of the manager's row list, in its order,
// with the history's columns. It holds pointers to the records, never their data, and
// follows every change of the row list with the proper structural signals.
class THistoryListModel : public TMirrorTableModel {
    Q_OBJECT
public:
    explicit THistoryListModel(QObject* parent = nullptr);
    ~THistoryListModel() override;

    // Mirrors the manager's rows from now on; null lets go of them.
    void Attach(THistoryManager* manager);
    THistoryManager* Manager() const { return Manager_; }

    THistoryItem* Record(int row) const;
    // The row list's index of a model row, and back (-1 while the filter hides it).
    int RowListIndex(int row) const;
    int ModelRow(int rowListIndex) const;

    // Brings the mirror to the row list; runs by itself on every change of the rows.
    void SyncRows();
    // The texts may have changed without the rows (units, icons, language): the view asks again.
    void RefreshValues();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The rows were brought to the row list; the view mirrors selection and focus now.
    void RowsSynced();

private:
    QIcon FileIcon(const THistoryItem& record) const;

    THistoryManager* Manager_ = nullptr;
    std::vector<THistoryItem*> Shown_;
    std::vector<int> Source_;              // row-list index of each shown row
    mutable QHash<QString, QIcon> Icons_;  // file-type icon per extension
};
