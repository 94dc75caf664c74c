#include "MenuClipboard.h"

#include "shellext/MenuPaths.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

std::vector<std::string> ClipboardFileUris()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr)
        return {};
    return MenuClipboardUris(data->data(QStringLiteral("x-special/gnome-copied-files")).toStdString(),
                             data->data(QStringLiteral("text/uri-list")).toStdString());
}
