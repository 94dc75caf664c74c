#pragma once

#include "config/qt/MirrorTableModel.h"

#include <cstddef>
#include <vector>

class TManagerHost;
class THost;

// The host list's item model: the shown rows of the host manager's row list, in its order,
// with the columns of the host page. It holds pointers to the hosts, never their data;
// structural changes of the rows arrive by themselves, changed values with RefreshValues.
class THostListModel : public TMirrorTableModel {
    Q_OBJECT
public:
    explicit THostListModel(QObject* parent = nullptr);
    ~THostListModel() override;

    // Mirrors the manager's rows from now on; null lets go of them.
    void Attach(TManagerHost* manager);

    THost* Host(int row) const;

    // Brings the mirror to the row list; runs by itself on every change of the rows.
    void SyncRows();
    // One dataChanged over the rows whose texts moved since the last call, none otherwise.
    void RefreshValues();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static std::size_t ValuesHash(const THost& host);

    TManagerHost* Manager_ = nullptr;
    std::vector<THost*> Shown_;
    std::vector<std::size_t> Hashes_;
};
