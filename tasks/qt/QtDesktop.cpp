#include "tasks/qt/QtDesktop.h"

#include "tasks/qt/OwnClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QProcess>
#include <QStringList>

void TQtDesktop::SetClipboardText(const std::string& text)
{
    SetOwnClipboardText(QString::fromStdString(text));
}

std::string TQtDesktop::ClipboardText()
{
    return QGuiApplication::clipboard()->text().toStdString();
}

void TQtDesktop::Beep(TBeepKind)
{
    QApplication::beep();
}

void TQtDesktop::OpenWithDefaultHandler(const std::string& target)
{
    StartProgram("xdg-open", {target});
}

void TQtDesktop::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    // Safe on any thread; a program that cannot start is not reported, as a shell would not.
    QProcess::startDetached(QString::fromStdString(program), list);
}
