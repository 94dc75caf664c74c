#include "app/qt/WindowImages.h"

#include "tasks/ActiveTaskLimit.h"
#include "tasks/qt/TaskImages.h"

#include <QPainter>
#include <QPixmap>

#include <iterator>

namespace {

QIcon ThemeIcon(const char* name)
{
    return QIcon::fromTheme(name, QIcon(":/quorvex.svg"));
}

}  // namespace

QIcon StatusPanelIcon(TPanelImages images, int index)
{
    if (images == TPanelImages::TaskState)
        return index >= 0 && index < kTaskStateCount ? TaskStateIcon(TTaskState(index)) : QIcon();
    // The status bar's own: tasks, records and received data, sizes, the traffic since start.
    static const char* const names[] = {"folder-download", "document-open-recent", "drive-harddisk",
                                        "network-transmit-receive", "network-receive"};
    return index >= 0 && index < int(std::size(names)) ? ThemeIcon(names[index]) : QIcon();
}

QIcon PageTreeIcon(int image)
{
    // The pages in their order, then the states of the downloads page's nodes.
    static const char* const pages[] = {"folder-download",  "document-open-recent", "user-trash",
                                        "network-server",   "x-office-calendar",    "folder",
                                        "folder-documents", "web-browser"};
    static const TTaskState states[] = {stateWait,      stateStarted,      stateStopped,  stateTemporaryPaused,
                                        stateScheduled, stateErrorStopped, stateCompleted};
    if (image >= 0 && image < int(std::size(pages)))
        return ThemeIcon(pages[image]);
    const int state = image - int(std::size(pages));
    return state >= 0 && state < int(std::size(states)) ? TaskStateIcon(states[state]) : QIcon();
}

QIcon NumActiveTaskIcon(int limit)
{
    const int item = NumActiveTaskItem(limit);
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(92, 129, 214));
    painter.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(18);
    painter.setFont(font);
    painter.drawText(QRect(3, 3, 26, 26), Qt::AlignCenter,
                     item <= kNumActiveTaskItems ? QString::number(item) : QStringLiteral("…"));
    return QIcon(pixmap);
}
