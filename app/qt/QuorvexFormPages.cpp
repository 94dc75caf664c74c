// The frame around the pages: the page tree, the page in front with its menu, the
// clipboard and the drops that bring new tasks.
#include "app/qt/QuorvexForm.h"

#include "app/ClipboardMonitor.h"
#include "app/ProgramSession.h"
#include "app/qt/StatusPanels.h"
#include "app/qt/WindowImages.h"
#include "config/Options.h"
#include "core/MessageCatalogue.h"
#include "records/HistoryManager.h"
#include "records/qt/HistoryPage.h"
#include "records/qt/RecordListView.h"
#include "tasks/ManagerTask.h"
#include "tasks/qt/OfferedFormats.h"
#include "tasks/qt/OwnClipboard.h"
#include "tasks/qt/TaskPage.h"
#include "ui_QuorvexForm.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>

namespace {

constexpr int kNodeRole = Qt::UserRole;
constexpr int kMinPagesWidth = 101;  // the splitter refuses 100 pixels or less

}  // namespace

void TQuorvexForm::BuildPageTree()
{
    QTreeWidget* tree = Ui_->TreePages;
    tree->clear();
    std::vector<QTreeWidgetItem*> items;
    for (int node = 0; node < kTreePagesCount; ++node) {
        const TTreePagesData& entry = kTreePages[node];
        const QStringList caption{QString::fromStdString(Translate(entry.Caption))};
        auto* item = entry.Parent < 0 ? new QTreeWidgetItem(tree, caption)
                                      : new QTreeWidgetItem(items[std::size_t(entry.Parent)], caption);
        item->setData(0, kNodeRole, node);
        item->setIcon(0, PageTreeIcon(entry.ImageIndex));
        items.push_back(item);
    }
    tree->expandAll();
    // Wide enough for the captions, unless the user made it wider.
    tree->resizeColumnToContents(0);
    const int captions = tree->header()->sectionSize(0) + tree->frameWidth() * 2 + 40;
    Ui_->splPages->setSizes({std::max({Options().ilvPagesWidth, captions, kMinPagesWidth}), width()});
    for (int page = 0; page < kPageCount; ++page)
        Ui_->pcPages->setTabText(page, items[std::size_t(NodeOfPage(TPage(page)))]->text(0));
    if (!tree->property("connected").toBool()) {
        tree->setProperty("connected", true);
        connect(tree, &QTreeWidget::itemClicked, this, &TQuorvexForm::PageTreeClicked);
    }
    PageChanged(Ui_->pcPages->currentIndex());
}

void TQuorvexForm::PageTreeClicked(QTreeWidgetItem* item)
{
    const TTreePagesData& node = kTreePages[item->data(0, kNodeRole).toInt()];
    Ui_->pcPages->setCurrentIndex(node.Page);
    ApplyPageNode(node, Tasks(), Session_->History());
    // A cancelled range shows every record: the tree says so.
    if (node.Page == pgHistory && Session_->History().DateFilter() == hdfAll)
        Ui_->TreePages->setCurrentItem(item->parent() ? item->parent() : item);
    Tick();
}

void TQuorvexForm::PageChanged(int index)
{
    const auto page = TPage(index);
    for (int other = 0; other < kPageCount; ++other)
        if (const char* menu = PageMenuName(TPage(other)))
            if (auto* widget = findChild<QMenu*>(menu))
                widget->menuAction()->setVisible(other == page);
    // The tree follows unless one of the page's own nodes is chosen already.
    QTreeWidgetItem* current = Ui_->TreePages->currentItem();
    if (!current || kTreePages[current->data(0, kNodeRole).toInt()].Page != page) {
        QTreeWidgetItemIterator it(Ui_->TreePages);
        for (; *it; ++it)
            if ((*it)->data(0, kNodeRole).toInt() == NodeOfPage(page))
                Ui_->TreePages->setCurrentItem(*it);
    }
    if (page == pgTask)
        TaskPage_->setFocus();
    if (page == pgHistory && HistoryPage_)
        HistoryPage_->HistoryList().setFocus();
    if (StatusPanels_)
        StatusPanels_->update();
}

TPage TQuorvexForm::PageInFront() const
{
    return TPage(Ui_->pcPages->currentIndex());
}

std::optional<std::vector<TOfferedFormat>> TQuorvexForm::ClipboardFormats() const
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime ? std::optional(OfferedFormats(*mime)) : std::nullopt;
}

void TQuorvexForm::NoteClipboardReadable()
{
    // Asked once per change, not on every tick: reading another program's clipboard is a
    // round trip to it.
    const auto formats = ClipboardFormats();
    ClipboardReadable_ = formats && !formats->empty();
}

void TQuorvexForm::ClipboardChanged()
{
    NoteClipboardReadable();
    UpdateCommands();
    if (!TClipboardMonitor::ShouldMonitor(Initializing_, HoldsOwnClipboardCopy()))
        return;
    // Read after the event: the adding flow shows dialogs.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!Destroyed_) {
                ClipboardMonitor_->ClipboardChanged(ClipboardFormats());
                Tick();
            }
        },
        Qt::QueuedConnection);
}

void TQuorvexForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && !OfferedFormats(*event->mimeData()).empty())
        event->acceptProposedAction();
}

void TQuorvexForm::dragMoveEvent(QDragMoveEvent* event)
{
    event->acceptProposedAction();
}

void TQuorvexForm::dropEvent(QDropEvent* event)
{
    std::string paths;
    for (const std::string& path : ExtractOfferedPaths(OfferedFormats(*event->mimeData())))
        paths += path + "\n";
    if (paths.empty())
        return;
    event->acceptProposedAction();
    PostAddFiles(paths, {}, false);
}
