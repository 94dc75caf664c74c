#pragma once

#include "core/ListSort.h"

#include <QTreeView>

class TManagerHost;
class THostListModel;

// The host list of the host page (TreeManagerHost). Its selection and focus mirror the
// manager's row list both ways; a click on a column header sorts up, down and back to the
// hosts' own order; a double click asks for the hosts' properties.
class THostListView : public QTreeView {
    Q_OBJECT
public:
    explicit THostListView(QWidget* parent = nullptr);

    void Attach(TManagerHost* manager);
    THostListModel& Model() const { return *Model_; }

    // The sort the header shows; ApplyColumns sets the header, this takes it over.
    const TListSort& Sort() const { return Sort_; }
    void TakeSortFromHeader();
    // A click on the column's header.
    void ClickColumn(int column);

signals:
    void PropertiesRequested();

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void ShowSort();
    // Row list -> view.
    void MirrorFromRows();
    // View -> row list.
    void MirrorToRows();

    THostListModel* Model_;
    TManagerHost* Manager_ = nullptr;
    TListSort Sort_;
    bool Mirroring_ = false;
};
