#include "MenuBus.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

namespace {

// Long enough for the program to start and load its lists when the bus has to start it.
constexpr int CallTimeoutMs = 60000;

}  // namespace

std::string CallQuorvex(const char* method, const std::string& files, const std::string& folder)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return "no session bus to reach Quorvex on: " + bus.lastError().message().toStdString();
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.velmora.Quorvex"), QStringLiteral("/QuorvexCom"),
                                       QStringLiteral("org.velmora.Quorvex.IQuorvexCom"), QString::fromLatin1(method));
    call << QString::fromStdString(files) << QString::fromStdString(folder);
    call.setAutoStartService(true);
    const QDBusMessage reply = bus.call(call, QDBus::Block, CallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return "Quorvex could not be reached or started: " + reply.errorMessage().toStdString() + " ("
               + reply.errorName().toStdString() + ")";
    return {};
}
