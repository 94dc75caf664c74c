#include "records/qt/HistoryListView.h"

#include "config/Options.h"
#include "config/qt/ListDelegate.h"
#include "records/HistoryManager.h"
#include "records/qt/HistoryListModel.h"

#include <QHeaderView>
#include <QKeyEvent>

THistoryListView::THistoryListView(QWidget* parent) : QTreeView(parent), Model_(new THistoryListModel(this))
{
    setModel(Model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    header()->setSectionsMovable(true);
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    TOptions& o = Options();
    setItemDelegate(new TListDelegate(
        *header(), {&o.bTreeManagerHistoryStripped, &o.bTreeManagerHistoryVertGrid, &o.bTreeManagerHistoryHorzGrid},
        this));

    connect(header(), &QHeaderView::sectionClicked, this, &THistoryListView::ClickColumn);
    connect(Model_, &THistoryListModel::RowsSynced, this, &THistoryListView::MirrorFromRows);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (Manager_ && Manager_->HasSelection())
            Manager_->DoubleClickSelected();
    });
}

void THistoryListView::Attach(THistoryManager* manager)
{
    Manager_ = manager;
    Model_->Attach(manager);
    ApplySort();
}

void THistoryListView::TakeSortFromHeader()
{
    Sort_.Column = header()->isSortIndicatorShown() ? header()->sortIndicatorSection() : -1;
    Sort_.Ascending = Sort_.Column < 0 || header()->sortIndicatorOrder() == Qt::AscendingOrder;
    ApplySort();
}

void THistoryListView::ClickColumn(int column)
{
    Sort_.Click(column);
    ApplySort();
}

void THistoryListView::SetKeyCommand(QKeyCombination key, std::function<void()> command)
{
    Keys_.emplace_back(key, std::move(command));
}

const std::function<void()>* THistoryListView::KeyCommand(const QKeyEvent& event) const
{
    // Enter of the keypad is Enter.
    const QKeyCombination key(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const auto& [bound, command] : Keys_)
        if (bound == key)
            return &command;
    return nullptr;
}

bool THistoryListView::event(QEvent* event)
{
    // Claimed here, the key comes to keyPressEvent instead of a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride && KeyCommand(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTreeView::event(event);
}

void THistoryListView::keyPressEvent(QKeyEvent* event)
{
    if (const std::function<void()>* command = KeyCommand(*event)) {
        event->accept();
        (*command)();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void THistoryListView::ApplySort()
{
    header()->setSortIndicatorShown(Sort_.Column >= 0);
    if (Sort_.Column >= 0)
        header()->setSortIndicator(Sort_.Column, Sort_.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (Manager_)
        Manager_->SortRows(Sort_.Column, !Sort_.Ascending);
}

void THistoryListView::MirrorFromRows()
{
    if (Mirroring_ || !Manager_)
        return;
    Mirroring_ = true;
    const THistoryRows& rows = Manager_->Rows();
    QItemSelection selection;
    for (int row = 0; row < Model_->rowCount(); ++row) {
        const int source = Model_->RowListIndex(row);
        if (source >= 0 && rows.Row(source).Selected)
            selection.select(Model_->index(row, 0), Model_->index(row, Model_->columnCount() - 1));
    }
    if (selection != selectionModel()->selection())
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focused = rows.Focused() >= 0 ? Model_->ModelRow(rows.Focused()) : -1;
    const QModelIndex current = focused >= 0 ? Model_->index(focused, 0) : QModelIndex();
    if (current != selectionModel()->currentIndex())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    // The row list asks the view to bring a newly focused row into sight (find next).
    if (rows.Focused() != LastFocused_ && current.isValid())
        scrollTo(current);
    LastFocused_ = rows.Focused();
    Mirroring_ = false;
    emit FocusChanged();
}

void THistoryListView::MirrorToRows()
{
    if (Mirroring_ || !Manager_ || Model_->Syncing())
        return;
    Mirroring_ = true;
    THistoryRows& rows = Manager_->Rows();
    for (int i = 0; i < rows.Count(); ++i) {
        const int row = Model_->ModelRow(i);
        // A row the filter hides keeps its selection: it is not acted on while hidden.
        if (row >= 0)
            rows.Row(i).Selected = selectionModel()->isRowSelected(row, {});
    }
    const QModelIndex current = selectionModel()->currentIndex();
    const int focused = current.isValid() ? Model_->RowListIndex(current.row()) : -1;
    LastFocused_ = focused;
    if (focused != rows.Focused())
        rows.Focus(focused);
    else
        rows.Changed();
    Mirroring_ = false;
    emit FocusChanged();
}

void THistoryListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    MirrorToRows();
}

void THistoryListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    MirrorToRows();
}
