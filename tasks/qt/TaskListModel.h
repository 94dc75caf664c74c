#pragma once

#include "config/qt/RowListModel.h"

#include <cstddef>
#include <vector>

class TManagerTask;
class TTaskItem;

// The task list's item model: the shown rows of the manager's row list, in its order, with
// the columns of the task list. It holds pointers to the tasks, never their data, and follows
// every change of the row list (added, deleted, moved, sorted or filtered rows) with the
// proper structural signals; changed values are reported by RefreshValues.
class TTaskListModel : public TRowListModel<TTaskItem> {
    Q_OBJECT
public:
    // Roles besides the texts, for the delegate.
    enum TRole { PercentRole = Qt::UserRole + 1, PriorityRole, StateRole };

    explicit TTaskListModel(QObject* parent = nullptr);

    // Mirrors the manager's rows from now on; null lets go of them.
    void Attach(TManagerTask* manager);
    TManagerTask* Manager() const { return Manager_; }

    // The task of a model row.
    TTaskItem* Task(int row) const { return Record(row); }

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // A drop of the list's own rows moves the selected tasks to the target row.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

private:
    std::size_t ValuesHash(const TTaskItem& task) const override;

    TManagerTask* Manager_ = nullptr;
};
