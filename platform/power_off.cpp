// Power-off through logind, and its dry run; see power_off.h.
#include "power_off.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QLoggingCategory>
#include <cstdio>

Q_LOGGING_CATEGORY(lcPowerOff, "brightlock.poweroff", QtWarningMsg)

namespace brightlock {

void LogindPowerOff::powerOff() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false; // not interactive: never wait for a password prompt
    QDBusMessage reply = QDBusConnection::systemBus().call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage)
        qCWarning(lcPowerOff) << "power-off refused:" << reply.errorName() << reply.errorMessage();
}

void EnableShutdownPrivilege() {}

void ShutdownWindows(PowerOff& powerOff) {
    EnableShutdownPrivilege();
    powerOff.powerOff();
}

void DryRunPowerOff::powerOff() {
    std::fputs("dry run: power-off requested\n", stderr);
    std::fflush(stderr);
}

void reportDryRunUpsSwitchOff() {
    std::fputs("dry run: UPS switch-off requested\n", stderr);
    std::fflush(stderr);
}

} // namespace brightlock
