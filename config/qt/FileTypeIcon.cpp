#include "config/qt/FileTypeIcon.h"

#include "core/Links.h"

#include <QHash>
#include <QMimeDatabase>

QIcon FileTypeIcon(const std::string& name)
{
    static QHash<QString, QIcon> icons;
    const QString extension = QString::fromStdString(ExtractExtension(name)).toLower();
    const auto found = icons.constFind(extension);
    if (found != icons.constEnd())
        return *found;
    static const QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile("file." + extension, QMimeDatabase::MatchExtension);
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    icons.insert(extension, icon);
    return icon;
}
