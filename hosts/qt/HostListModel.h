#pragma once

#include "config/qt/RowListModel.h"

#include <cstddef>
#include <vector>

class TManagerHost;
class THost;

// The host list's item model: the shown rows of the host manager's row list, in its order,
// with the columns of the host page. It holds pointers to the hosts, never their data;
// structural changes of the rows arrive by themselves, changed values with RefreshValues.
class THostListModel : public TRowListModel<THost> {
    Q_OBJECT
public:
    explicit THostListModel(QObject* parent = nullptr);

    // Mirrors the manager's rows from now on; null lets go of them.
    void Attach(TManagerHost* manager);

    THost* Host(int row) const { return Record(row); }

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::size_t ValuesHash(const THost& host) const override;
};
