#pragma once

#include "tasks/TaskColumns.h"

#include <QTreeView>

class TManagerTask;
class TTaskListModel;

// The task list of the downloads page (TreeManagerTask). Its selection and focus mirror the
// manager's row list both ways; a click on a column header sorts and the list order follows;
// dragged rows move the selected tasks; a double click acts by the first selected task's state.
class TTaskListView : public QTreeView {
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
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Row list -> view.
    void MirrorFromRows();
    // View -> row list.
    void MirrorToRows();

    TTaskListModel* Model_;
    TManagerTask* Manager_ = nullptr;
    TTaskListSort Sort_;
    bool Mirroring_ = false;
    int LastFocused_ = -1;
};
