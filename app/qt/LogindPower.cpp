#include "app/qt/LogindPower.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <atomic>
#include <cstdlib>

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
// Block inhibitors of other programs are skipped (SD_LOGIND_SKIP_INHIBITORS).
constexpr quint64 kSkipInhibitors = quint64(1) << 4;
// The user may be asked for a password by the system: give them time.
constexpr int kCallTimeoutMs = 120000;

QString BusAddress()
{
    const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    return address && *address ? QString::fromLocal8Bit(address)
                               : QStringLiteral("unix:path=/run/dbus/system_bus_socket");
}

std::string ErrorText(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return {};
    const QString text = reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    return text.isEmpty() ? std::string("The login manager did not answer") : text.toStdString();
}

}  // namespace

TLogindPower::TLogindPower()
{
    static std::atomic<int> made{0};
    Connection_ = QStringLiteral("quorvex-logind-%1").arg(made++);
    QDBusConnection::connectToBus(BusAddress(), Connection_);
}

TLogindPower::~TLogindPower()
{
    QDBusConnection::disconnectFromBus(Connection_);
}

QDBusMessage TLogindPower::Call(const QString& method, const QVariantList& arguments)
{
    QDBusConnection bus(Connection_);
    if (!bus.isConnected())
        return QDBusMessage::createError(bus.lastError());
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    message.setArguments(arguments);
    message.setInteractiveAuthorizationAllowed(true);
    return bus.call(message, QDBus::Block, kCallTimeoutMs);
}

std::string TLogindPower::Request(const char* method, bool force)
{
    const QString name = QString::fromLatin1(method);
    if (force) {
        const QDBusMessage reply = Call(name + QStringLiteral("WithFlags"), {QVariant::fromValue(kSkipInhibitors)});
        const QString error = reply.errorName();
        // An older manager knows neither the call nor the flag: the plain call instead.
        if (reply.type() != QDBusMessage::ErrorMessage
            || (error != QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")
                && error != QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs")))
            return ErrorText(reply);
    }
    return ErrorText(Call(name, {true}));
}

std::string TLogindPower::LogOff(bool)
{
    // The session the program runs in; "auto" lets the manager find it when the desktop did
    // not name it.
    const char* session = std::getenv("XDG_SESSION_ID");
    const QString id = session && *session ? QString::fromLocal8Bit(session) : QStringLiteral("auto");
    return ErrorText(Call(QStringLiteral("TerminateSession"), {id}));
}
