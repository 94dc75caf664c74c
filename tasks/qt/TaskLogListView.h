#pragma once

#include <QTreeView>

class TTaskLogModel;
class TTaskLogView;

// The log view under the task list (TreeLogTask): multi-line rows coloured by their code, a
// header click sorts (the sorted column turns its direction), the selection goes to the
// model for copying and is cleared when the view loses the focus.
class TTaskLogListView : public QTreeView {
    Q_OBJECT
public:
    explicit TTaskLogListView(QWidget* parent = nullptr);

    void Attach(TTaskLogView* view);
    TTaskLogModel& Model() const { return *Model_; }
    // The header shows the log view's sort.
    void ShowSort();

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void MirrorFromView();

    TTaskLogModel* Model_;
    TTaskLogView* View_ = nullptr;
    bool Mirroring_ = false;
};
