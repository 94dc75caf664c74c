#include "app/qt/QuorvexCom.h"

#include "app/qt/QuorvexForm.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>

TQuorvexCom::TQuorvexCom(QObject* parent) : QObject(parent) {}

bool TQuorvexCom::Register(QDBusConnection& bus)
{
    if (!bus.isConnected()) {
        Error_ = bus.lastError().message();
        return false;
    }
    if (!bus.registerObject(QString::fromLatin1(kAutomationObject), this, QDBusConnection::ExportAllSlots)) {
        Error_ = bus.lastError().message();
        return false;
    }
    if (!bus.registerService(QString::fromLatin1(kAutomationService))) {
        Error_ = bus.lastError().message();
        if (Error_.isEmpty())
            Error_ = QStringLiteral("%1 is owned by another process").arg(QString::fromLatin1(kAutomationService));
        bus.unregisterObject(QString::fromLatin1(kAutomationObject));
        return false;
    }
    return true;
}

void TQuorvexCom::SetWindow(TQuorvexForm* window)
{
    Window_ = window;
    HandOver();
}

void TQuorvexCom::AddFiles(const QString& aFiles, const QString& aFolder)
{
    Store(aFiles, aFolder, false);
}

void TQuorvexCom::AddFilesSilent(const QString& aFiles, const QString& aFolder)
{
    Store(aFiles, aFolder, true);
}

void TQuorvexCom::Store(const QString& files, const QString& folder, bool silent)
{
    // An empty list asks for nothing; the call succeeds all the same.
    if (std::optional<TAddRequest> request = AutomationRequest(files.toStdString(), folder.toStdString(), silent)) {
        Early_.Push(std::move(*request));
        HandOver();
    }
}

void TQuorvexCom::HandOver()
{
    if (!Window_)
        return;
    // The window queues them in turn and handles each after the call has returned.
    while (std::optional<TAddRequest> request = Early_.Next()) {
        Window_->PostAddFiles(request->Paths, request->Folders, request->Silent);
        Early_.Done();
    }
}
