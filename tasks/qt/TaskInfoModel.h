#pragma once

#include <QAbstractTableModel>

class TManagerTask;

// The information list under the task list (TreeInfoTask): one fixed row per task column,
// its caption and its text for the focused task while that task's row is selected and shown.
class TTaskInfoModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TTaskInfoModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void Attach(TManagerTask* manager);
    // The values of the task shown now (the focused task may have changed): one dataChanged
    // over the text column.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TManagerTask* Manager_ = nullptr;
};
