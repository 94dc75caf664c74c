#include "tasks/qt/OwnClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QString& LastOwnText()
{
    static QString text;
    return text;
}

}  // namespace

void SetOwnClipboardText(const QString& text)
{
    LastOwnText() = text;
    QGuiApplication::clipboard()->setText(text);
}

bool HoldsOwnClipboardCopy()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard->ownsClipboard() || (!LastOwnText().isEmpty() && clipboard->text() == LastOwnText());
}
