#pragma once

#include "config/qt/MirrorTableModel.h"

#include <cstdint>
#include <vector>

class TLogList;
class TTaskLogView;

// The log view's item model (TreeLogTask): the rows of the task log view, which hold their
// own copies of the entries. New entries and sorts reach the view as inserted and moved
// rows; showing another log starts the model over.
class TTaskLogModel : public TMirrorTableModel {
    Q_OBJECT
public:
    explicit TTaskLogModel(QObject* parent = nullptr) : TMirrorTableModel(parent) {}
    ~TTaskLogModel() override;

    // Mirrors the log view from now on; null lets go of it.
    void Attach(TTaskLogView* view);
    TTaskLogView* View() const { return View_; }
    void SyncRows();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TTaskLogView* View_ = nullptr;
    const TLogList* Log_ = nullptr;
    std::vector<uint64_t> Keys_;
};
