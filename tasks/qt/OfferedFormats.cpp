#include "tasks/qt/OfferedFormats.h"

#include <QMimeData>
#include <QStringList>

std::vector<TOfferedFormat> OfferedFormats(const QMimeData& data)
{
    std::vector<TOfferedFormat> formats;
    bool textTaken = false;
    for (const QString& format : data.formats()) {
        const QByteArray bytes = data.data(format);
        if (format == "text/uri-list") {
            formats.push_back({TOfferedKind::UriList, bytes.toStdString()});
        } else if (format == "text/x-moz-url") {
            // The link and its title on two lines, in UTF-16.
            const QString text =
                QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
            formats.push_back({TOfferedKind::Url, text.section('\n', 0, 0).toStdString()});
        } else if (format.startsWith("text/plain") && !textTaken) {
            textTaken = true;
            formats.push_back({TOfferedKind::PlainText, data.text().toStdString()});
        }
    }
    return formats;
}
