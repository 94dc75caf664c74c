#pragma once

#include "config/qt/RowListView.h"
#include "tasks/TaskColumns.h"

#include <memory>

class TManagerTask;
class TTaskListModel;

// The task list of the downloads page (TreeManagerTask), over the manager's row list; a
// click on a column header sorts and the list order follows; dragged rows move the selected
// tasks; a double click acts by the first selected task's state.
class TTaskListView : public TRowListView {
    Q_OBJECT
public:
    explicit TTaskListView(QWidget* parent = nullptr);

    void Attach(TManagerTask* manager);
    TTaskListModel& Model() const { return *Model_; }

    // The sort the header shows; ApplyColumns sets the header, this takes it over.
    const TTaskListSort& Sort() const { return Sort_; }
    void TakeSortFromHeader();
    // A click on the column's header.
    void ClickColumn(int column);

signals:
    // The focused row or the selection moved (the information list follows).
    void FocusChanged();
    // A double click that opens the task's properties rather than acting.
    void PropertiesRequested();

protected:
    void dropEvent(QDropEvent* event) override;
    void MirroredToRows() override;

private:
    TTaskListModel* Model_;
    TManagerTask* Manager_ = nullptr;
    std::unique_ptr<IRowSelection> Selection_;
    TTaskListSort Sort_;
};
