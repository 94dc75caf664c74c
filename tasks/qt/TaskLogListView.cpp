#include "tasks/qt/TaskLogListView.h"

#include "config/Options.h"
#include "config/qt/ListDelegate.h"
#include "tasks/TaskLogView.h"
#include "tasks/qt/TaskLogModel.h"

#include <QFocusEvent>
#include <QHeaderView>

namespace {

// Rows as high as their tallest cell needs, plus 2 pixels.
class TLogDelegate : public TListDelegate {
public:
    using TListDelegate::TListDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return TListDelegate::sizeHint(option, index) + QSize(0, 2);
    }
};

}  // namespace

TTaskLogListView::TTaskLogListView(QWidget* parent) : QTreeView(parent), Model_(new TTaskLogModel(this))
{
    setModel(Model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(false);  // entries may hold several lines
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setSectionsMovable(true);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    TOptions& o = Options();
    // The rows are coloured by their code, so the plain stripes stay off here.
    setItemDelegate(new TLogDelegate(*header(), {nullptr, &o.bTreeLogTaskVertGrid, &o.bTreeLogTaskHorzGrid}, this));
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (View_)
            View_->ClickColumn(column);
        ShowSort();
    });
    connect(Model_, &TTaskLogModel::RowsSynced, this, &TTaskLogListView::MirrorFromView);
}

void TTaskLogListView::Attach(TTaskLogView* view)
{
    View_ = view;
    if (View_)
        View_->OnScrollTo = [this](int row) { scrollTo(Model_->index(row, 0), QAbstractItemView::PositionAtCenter); };
    Model_->Attach(view);
    ShowSort();
}

void TTaskLogListView::ShowSort()
{
    if (View_)
        header()->setSortIndicator(View_->SortColumn(),
                                   View_->SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TTaskLogListView::MirrorFromView()
{
    if (Mirroring_ || !View_)
        return;
    Mirroring_ = true;
    QItemSelection selection;
    const auto& rows = View_->Rows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        if (rows[row].Selected)
            selection.select(Model_->index(int(row), 0), Model_->index(int(row), kLogColumnCount - 1));
    if (selection != selectionModel()->selection())
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    Mirroring_ = false;
}

void TTaskLogListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (Mirroring_ || !View_ || Model_->Syncing())
        return;
    Mirroring_ = true;
    const int count = int(View_->Rows().size());
    for (int row = 0; row < count; ++row) {
        const bool on = selectionModel()->isRowSelected(row, {});
        if (View_->Rows()[std::size_t(row)].Selected != on)
            View_->Select(row, on);
    }
    Mirroring_ = false;
}

void TTaskLogListView::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    // A popup menu of the view takes the focus too; its copy command needs the selection.
    if (View_ && event->reason() != Qt::PopupFocusReason)
        View_->ClearSelection();
}
