#pragma once

#include "config/qt/ListDelegate.h"

#include <QKeySequence>
#include <QList>
#include <QTreeView>

#include <memory>
#include <utility>

class IRecordRows;
class QAction;
class TRecordListModel;

// The list of a record page (the recycle bin's TreeRecycleBin, the scheduler's
// TreeManagerScheduler). Its selection and focus mirror the manager's row list both ways; a
// click on a column header sorts as the rows' rule says and the header shows it; the rows
// are painted striped and with grid lines as the list's options say.
class TRecordListView : public QTreeView {
    Q_OBJECT
public:
    TRecordListView(TListDelegate::TLook look, QWidget* parent = nullptr);
    ~TRecordListView() override;

    // Shows these rows from now on; null lets go of them (before their manager goes).
    void Attach(std::unique_ptr<IRecordRows> rows);
    TRecordListModel& Model() const { return *Model_; }

    // The sort the header shows (set by ApplyColumns) becomes the rows' order.
    void TakeSortFromHeader();
    // A click on the column's header.
    void ClickColumn(int column);

    // A key of the list's popup: while the list has the focus it runs the command, when
    // enabled. (The other pages' commands leave it alone: their menus are hidden.)
    void BindKey(const QKeySequence& key, QAction* command);

    // Once per tick: the shown rows and the header are painted again, so that changed
    // units, hint options and captions show.
    void Tick();

signals:
    // The selection or the focused row moved.
    void SelectionMoved();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    QAction* BoundCommand(const QKeyEvent& event) const;
    void ShowSort();
    // Row list -> view.
    void MirrorFromRows();
    // View -> row list.
    void MirrorToRows();

    TRecordListModel* Model_;
    std::unique_ptr<IRecordRows> Rows_;
    QList<std::pair<QKeySequence, QAction*>> Keys_;
    bool Mirroring_ = false;
    int LastFocused_ = -1;
};
