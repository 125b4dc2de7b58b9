// Calls to systemd-logind's manager (org.freedesktop.login1.Manager) on the system bus,
// the one DBUS_SYSTEM_BUS_ADDRESS names when it is set. Each call opens a connection of its
// own, so it may run on any thread; it blocks, for at most `timeoutMs` once connected.
#pragma once

#include <QString>
#include <QVariantList>

namespace brightlock::logind {

struct Reply {
    bool ok = false;
    QString value; // the first value of the answer, as text ("yes", "na", ...)
    QString error; // why the call failed, when it did
};

Reply call(const QString& method, const QVariantList& arguments, int timeoutMs);

// "PowerOff", "Hibernate" or "HybridSleep", not interactive: never waits for a password.
Reply requestAction(const QString& method, int timeoutMs);

} // namespace brightlock::logind
