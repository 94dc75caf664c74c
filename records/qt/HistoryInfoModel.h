#pragma once

#include <QAbstractTableModel>

class THistoryManager;

// The detail pane under the history list (TreeInfoHistory): one fixed row per history
// column, its caption and its text for the focused record while that row is selected and shown.
class THistoryInfoModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit THistoryInfoModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void Attach(THistoryManager* manager);
    // The values of the record shown now: one dataChanged over the rows.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    THistoryManager* Manager_ = nullptr;
};
