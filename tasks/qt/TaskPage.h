#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QHeaderView;
class QSplitter;
class QTabWidget;
class QTreeView;
class TCollapsiblePanel;
class TInfoListModel;
class TManagerTask;
class TTaskListView;
class TTaskLogListView;

namespace Ui {
class TaskPage;
}

// The downloads page: the task list on top and, in a splitter below it, the panel with the
// task's log and its information list.
class TTaskPage : public QWidget {
    Q_OBJECT
public:
    explicit TTaskPage(QWidget* parent = nullptr);
    ~TTaskPage() override;

    // Shows the manager's rows and log from now on; null lets go of them. The page hooks the
    // manager's row list and log view: attach null (or free the page) before the manager.
    void Attach(TManagerTask* manager);
    // Once per tick: the values of the task list, the information list while it is visible,
    // and the log's new entries (the manager's tick brought them to its log view).
    void Tick();

    // The column settings of the three lists from the options (TaskListColumns,
    // LogListColumns, InfoTaskColumns) and the panel's height, page and state (ipnlLogHeight,
    // iPageInfoActive, bVisibleInfo), and back.
    void ApplyColumns();
    void ReadColumns();

    // The main columns of the lists: the name of the task list, the text of the log.
    static constexpr int kTaskListMainColumn = 0;
    static constexpr int kLogListMainColumn = 3;

    // The panel of the log and the information list, collapsed to its tabs or open; a
    // click on a tab opens it too.
    void SetInfoCollapsed(bool collapsed);
    bool InfoCollapsed() const;

    TTaskListView& TaskList() const;    // TreeManagerTask
    QTreeView& InfoList() const;        // TreeInfoTask
    TTaskLogListView& LogList() const;  // TreeLogTask
    QTabWidget& LogPanel() const;       // pnlLog
    QSplitter& Splitter() const;        // splTask

private:
    std::unique_ptr<Ui::TaskPage> Ui_;
    TInfoListModel* InfoModel_;
    TManagerTask* Manager_ = nullptr;
    TCollapsiblePanel* Panel_;
};
