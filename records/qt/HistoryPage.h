#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QSplitter;
class QTabWidget;
class QTreeView;
class TCollapsiblePanel;
class TInfoListModel;
class THistoryManager;
class TRecordListView;

namespace Ui {
class HistoryPage;
}

// The history page: the name filter box on top, the history list, and in a splitter below
// it the panel with the detail pane of the focused record.
class THistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit THistoryPage(QWidget* parent = nullptr);
    ~THistoryPage() override;

    // Shows the manager's rows from now on; null lets go of them. The page hooks the
    // manager's row list and filter: attach null (or free the page) before the manager.
    void Attach(THistoryManager* manager);
    // Once per tick while the page is shown: the texts of the list and the detail pane.
    void Tick();

    // The column settings of the two lists from the options (HistoryListColumns,
    // HistoryInfoColumns) with the panel's height and state (ipnlLogHeightHistoryInfo,
    // bVisibleHistoryInfo), and back.
    void ApplyColumns();
    void ReadColumns();

    // The filter box's commands: their buttons beside the box, Enter in the box runs apply
    // and Escape clear (each while enabled).
    void SetFilterCommands(QAction* apply, QAction* clear);
    // What the two commands do: apply the box's text and remember it at the top of the
    // box's list; clear the filter and the box.
    void ApplyTextFilter();
    void ClearTextFilter();
    bool CanApplyTextFilter() const;
    bool CanClearTextFilter() const;

    void SetInfoCollapsed(bool collapsed);
    bool InfoCollapsed() const;

    TRecordListView& HistoryList() const;   // TreeManagerHistory
    QTreeView& InfoList() const;            // TreeInfoHistory
    QComboBox& FilterBox() const;           // cmbHistoryTextFilter
    QSplitter& Splitter() const;            // splHistory

private:
    // The box's list from the remembered filters (ListFilter), its text kept.
    void FillFilterBox();

    std::unique_ptr<Ui::HistoryPage> Ui_;
    TInfoListModel* InfoModel_;
    THistoryManager* Manager_ = nullptr;
    TCollapsiblePanel* Panel_;
    bool Filling_ = false;
};
