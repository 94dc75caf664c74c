#include "MenuRun.h"

#include <QProcess>

TMenuRun RunMenu(const QStringList& arguments, const QString& folder, const QProcessEnvironment& environment)
{
    QProcessEnvironment childEnvironment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "WAYLAND_DISPLAY", "XDG_DATA_HOME",
                             "XDG_CONFIG_HOME", "LC_ALL", "LC_MESSAGES", "LANG"})
        childEnvironment.remove(QString::fromLatin1(name));
    childEnvironment.insert("HOME", folder);
    childEnvironment.insert("XDG_RUNTIME_DIR", folder);
    childEnvironment.insert(environment);

    QProcess menu;
    menu.setProcessEnvironment(childEnvironment);
    menu.setWorkingDirectory(folder);
    menu.start(QStringLiteral(QUORVEX_MENU), arguments);
    TMenuRun run;
    if (!menu.waitForFinished(120000) || menu.exitStatus() != QProcess::NormalExit)
        return run;
    run.ExitCode = menu.exitCode();
    run.Errors = menu.readAllStandardError().toStdString();
    return run;
}
