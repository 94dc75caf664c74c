#pragma once

#include "config/qt/RowListView.h"
#include "core/ListSort.h"

#include <memory>

class TManagerHost;
class THostListModel;

// The host list of the host page (TreeManagerHost). Its selection and focus mirror the
// manager's row list both ways; a click on a column header sorts up, down and back to the
// hosts' own order; a double click asks for the hosts' properties.
class THostListView : public TRowListView {
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

private:
    THostListModel* Model_;
    TManagerHost* Manager_ = nullptr;
    std::unique_ptr<IRowSelection> Selection_;
    TListSort Sort_;
};
