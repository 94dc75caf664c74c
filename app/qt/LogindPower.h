#pragma once

#include "app/CompletionAction.h"

#include <QString>

class QDBusMessage;

// The power requests through the login manager on the system bus (org.freedesktop.login1).
// The bus is the one DBUS_SYSTEM_BUS_ADDRESS names when set, the system's own otherwise.
class TLogindPower : public ISystemPower {
public:
    TLogindPower();
    ~TLogindPower() override;

    std::string PowerOff(bool force) override { return Request("PowerOff", force); }
    std::string Reboot(bool force) override { return Request("Reboot", force); }
    std::string Hibernate(bool force) override { return Request("Hibernate", force); }
    std::string Suspend(bool force) override { return Request("Suspend", force); }
    std::string LogOff(bool force) override;

private:
    // Forced: the call with flags that skips other programs' block inhibitors; a manager
    // that does not know the call or the flag gets the plain one. Plain: the call that lets
    // the system ask the user for authorisation.
    std::string Request(const char* method, bool force);
    QDBusMessage Call(const QString& method, const QVariantList& arguments);

    QString Connection_;
};
