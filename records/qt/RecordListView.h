#pragma once

#include "config/qt/ListDelegate.h"
#include "config/qt/RowListView.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class IRecordRows;
class TRecordListModel;

// The list of a record page (the history's TreeManagerHistory, the recycle bin's
// TreeRecycleBin, the scheduler's TreeManagerScheduler), over the manager's row list; a click
// on a column header sorts as the rows' rule says and the header shows it; the rows are
// painted striped and with grid lines as the list's options say.
class TRecordListView : public TRowListView {
    Q_OBJECT
public:
    explicit TRecordListView(QWidget* parent = nullptr);
    ~TRecordListView() override;

    // The list's options of stripes and grid lines.
    void SetLook(TListDelegate::TLook look);

    // Shows these rows from now on; null lets go of them (before their manager goes).
    void Attach(std::unique_ptr<IRecordRows> rows);
    TRecordListModel& Model() const { return *Model_; }

    // The sort the header shows (set by ApplyColumns) becomes the rows' order.
    void TakeSortFromHeader();
    // A click on the column's header.
    void ClickColumn(int column);

    // A key of the list's own (Del, Enter, Ctrl+R ...): it goes to the list while it has
    // the focus, before any command of the window with the same key.
    void SetKeyCommand(QKeyCombination key, std::function<void()> command);

    // Once per tick: the shown rows and the header are painted again, so that changed
    // units, hint options and captions show.
    void Tick();

signals:
    // The selection or the focused row moved.
    void SelectionMoved();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void MirroredFromRows() override { emit SelectionMoved(); }
    void MirroredToRows() override { emit SelectionMoved(); }

private:
    const std::function<void()>* KeyCommand(const QKeyEvent& event) const;

    TRecordListModel* Model_;
    std::unique_ptr<IRecordRows> Rows_;
    std::vector<std::pair<QKeyCombination, std::function<void()>>> Keys_;
};
