#include "records/qt/RecordListView.h"

#include "records/qt/RecordListModel.h"
#include "records/qt/RecordRows.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>

TRecordListView::TRecordListView(TListDelegate::TLook look, QWidget* parent)
    : QTreeView(parent), Model_(new TRecordListModel(this))
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
    setItemDelegate(new TListDelegate(*header(), look, this));
    connect(header(), &QHeaderView::sectionClicked, this, &TRecordListView::ClickColumn);
    connect(Model_, &TRecordListModel::RowsSynced, this, &TRecordListView::MirrorFromRows);
}

TRecordListView::~TRecordListView()
{
    Attach(nullptr);
}

void TRecordListView::Attach(std::unique_ptr<IRecordRows> rows)
{
    Model_->Attach(rows.get());
    Rows_ = std::move(rows);
}

void TRecordListView::TakeSortFromHeader()
{
    if (!Rows_)
        return;
    const bool sorted = header()->isSortIndicatorShown() && header()->sortIndicatorSection() >= 0;
    Rows_->SetSort(sorted ? header()->sortIndicatorSection() : -1,
                   header()->sortIndicatorOrder() == Qt::AscendingOrder);
    ShowSort();
}

void TRecordListView::ClickColumn(int column)
{
    if (!Rows_)
        return;
    Rows_->ClickColumn(column);
    ShowSort();
}

void TRecordListView::ShowSort()
{
    const int column = Rows_->SortColumn();
    header()->setSortIndicatorShown(column >= 0);
    header()->setSortIndicator(column, Rows_->SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TRecordListView::BindKey(const QKeySequence& key, QAction* command)
{
    Keys_.append({key, command});
}

QAction* TRecordListView::BoundCommand(const QKeyEvent& event) const
{
    const QKeySequence pressed(event.keyCombination());
    for (const auto& [key, command] : Keys_)
        if (key == pressed)
            return command;
    return nullptr;
}

void TRecordListView::keyPressEvent(QKeyEvent* event)
{
    if (QAction* command = BoundCommand(*event)) {
        if (command->isEnabled())
            command->trigger();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void TRecordListView::Tick()
{
    if (!isVisible())
        return;
    viewport()->update();
    header()->viewport()->update();
}

void TRecordListView::MirrorFromRows()
{
    if (Mirroring_ || !Rows_)
        return;
    Mirroring_ = true;
    QItemSelection selection;
    for (int row = 0; row < Model_->rowCount(); ++row) {
        const int source = Model_->RowListIndex(row);
        if (source >= 0 && Rows_->Selected(source))
            selection.select(Model_->index(row, 0), Model_->index(row, Model_->columnCount() - 1));
    }
    if (selection != selectionModel()->selection())
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focused = Rows_->Focused() >= 0 ? Model_->ModelRow(Rows_->Focused()) : -1;
    const QModelIndex current = focused >= 0 ? Model_->index(focused, 0) : QModelIndex();
    if (current != selectionModel()->currentIndex())
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    // The row list asks the view to bring a newly focused row (a found one) into sight.
    if (Rows_->Focused() != LastFocused_ && current.isValid())
        scrollTo(current);
    LastFocused_ = Rows_->Focused();
    Mirroring_ = false;
    emit SelectionMoved();
}

void TRecordListView::MirrorToRows()
{
    if (Mirroring_ || !Rows_ || Model_->Syncing())
        return;
    Mirroring_ = true;
    for (int i = 0; i < Rows_->Count(); ++i) {
        const int row = Model_->ModelRow(i);
        Rows_->SetSelected(i, row >= 0 && selectionModel()->isRowSelected(row, {}));
    }
    const QModelIndex current = selectionModel()->currentIndex();
    const int focused = current.isValid() ? Model_->RowListIndex(current.row()) : -1;
    LastFocused_ = focused;
    if (focused != Rows_->Focused())
        Rows_->Focus(focused);
    else
        Rows_->Changed();
    Mirroring_ = false;
    emit SelectionMoved();
}

void TRecordListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    MirrorToRows();
}

void TRecordListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    MirrorToRows();
}
