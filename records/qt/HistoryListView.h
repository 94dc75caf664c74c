#pragma once

#include "records/RecordListSort.h"

#include <QTreeView>

#include <functional>
#include <utility>
#include <vector>

class THistoryListModel;
class THistoryManager;

// The history list (TreeManagerHistory). Its selection and focus mirror the manager's row
// list both ways; a click on a column header sorts by it, and the third click on the same
// column brings back the history's own order (newest first); a double click opens the copy
// or its properties, as the options say.
class THistoryListView : public QTreeView {
    Q_OBJECT
public:
    explicit THistoryListView(QWidget* parent = nullptr);

    void Attach(THistoryManager* manager);
    THistoryListModel& Model() const { return *Model_; }

    // The sort the header shows; ApplyColumns sets the header, this takes it over and sorts.
    const TRecordListSort& Sort() const { return Sort_; }
    void TakeSortFromHeader();
    // A click on the column's header.
    void ClickColumn(int column);
    // A key of the list's own (Del, Enter, Ctrl+R ...): it goes to the list while it has
    // the focus, before any command of the window with the same key.
    void SetKeyCommand(QKeyCombination key, std::function<void()> command);

signals:
    // The focused row or the selection moved (the detail pane follows).
    void FocusChanged();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    const std::function<void()>* KeyCommand(const QKeyEvent& event) const;
    void ApplySort();
    // Row list -> view.
    void MirrorFromRows();
    // View -> row list.
    void MirrorToRows();

    THistoryListModel* Model_;
    THistoryManager* Manager_ = nullptr;
    TRecordListSort Sort_;
    bool Mirroring_ = false;
    int LastFocused_ = -1;
    std::vector<std::pair<QKeyCombination, std::function<void()>>> Keys_;
};
