#include "records/qt/RecordListView.h"

#include "records/qt/RecordListModel.h"
#include "records/qt/RecordRows.h"

#include <QHeaderView>
#include <QKeyEvent>

TRecordListView::TRecordListView(QWidget* parent)
    : TRowListView(new TRecordListModel, parent), Model_(static_cast<TRecordListModel*>(model()))
{
    KeepHiddenSelection();
    SetLook({});
    connect(header(), &QHeaderView::sectionClicked, this, &TRecordListView::ClickColumn);
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
    MirrorRows(rows.get());
    Model_->Attach(rows.get());
    Rows_ = std::move(rows);
}

void TRecordListView::TakeSortFromHeader()
{
    if (!Rows_)
        return;
    const TListSort sort = HeaderSort();
    Rows_->SetSort(sort.Column, sort.Ascending);
    ShowSort(Rows_->Sort());
}

void TRecordListView::ClickColumn(int column)
{
    if (!Rows_)
        return;
    Rows_->ClickColumn(column);
    ShowSort(Rows_->Sort());
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
