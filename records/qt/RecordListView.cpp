#include "records/qt/RecordListView.h"

#include "records/qt/RecordListModel.h"
#include "records/qt/RecordRows.h"

#include <QHeaderView>
#include <QKeyEvent>

TRecordListView::TRecordListView(QWidget* parent) : QTreeView(parent), Model_(new TRecordListModel(this))
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
    SetLook({});
    connect(header(), &QHeaderView::sectionClicked, this, &TRecordListView::ClickColumn);
    connect(Model_, &TRecordListModel::RowsSynced, this, &TRecordListView::MirrorFromRows);
}

TRecordListView::~TRecordListView()
{
    Attach(nullptr);
}

void TRecordListView::SetLook(TListDelegate::TLook look)
{
    QAbstractItemDelegate* old = itemDelegate();
    setItemDelegate(new TListDelegate(*header(), look, this));
    delete old;
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
    const TListSort sort = Rows_->Sort();
    header()->setSortIndicatorShown(sort.Column >= 0);
    header()->setSortIndicator(sort.Column, sort.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TRecordListView::SetKeyCommand(QKeyCombination key, std::function<void()> command)
{
    Keys_.emplace_back(key, std::move(command));
}

const std::function<void()>* TRecordListView::KeyCommand(const QKeyEvent& event) const
{
    // Enter of the keypad is Enter.
    const QKeyCombination key(event.modifiers() & ~Qt::KeypadModifier, Qt::Key(event.key()));
    for (const auto& [bound, command] : Keys_)
        if (bound == key)
            return &command;
    return nullptr;
}

bool TRecordListView::event(QEvent* event)
{
    // Claimed here, the key comes to keyPressEvent instead of a shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride && KeyCommand(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTreeView::event(event);
}

void TRecordListView::keyPressEvent(QKeyEvent* event)
{
    if (const std::function<void()>* command = KeyCommand(*event)) {
        event->accept();
        (*command)();
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
        // A row the filter hides keeps its selection: it is not acted on while hidden.
        if (row >= 0)
            Rows_->SetSelected(i, selectionModel()->isRowSelected(row, {}));
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
