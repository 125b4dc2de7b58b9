// The accessibility bus switched on; see atspi_bus.h.
#include "atspi_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace brightlock::atspi {

namespace {

const QString kBus = QStringLiteral("org.a11y.Bus");
const QString kPath = QStringLiteral("/org/a11y/bus");
// A bus launcher that is started on demand may take a moment.
constexpr int kCallLimitMs = 3000;

} // namespace

bool switchAccessibilityOn(QString& whyNot) {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) {
        whyNot = QStringLiteral("no session bus");
        return false;
    }
    const QDBusMessage address =
        session.call(QDBusMessage::createMethodCall(kBus, kPath, kBus, QStringLiteral("GetAddress")),
                     QDBus::Block, kCallLimitMs);
    if (address.type() != QDBusMessage::ReplyMessage || address.arguments().value(0).toString().isEmpty()) {
        whyNot = QStringLiteral("no accessibility bus (at-spi-bus-launcher): %1").arg(address.errorMessage());
        return false;
    }
    QDBusMessage set = QDBusMessage::createMethodCall(
        kBus, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
        << QVariant::fromValue(QDBusVariant(true));
    const QDBusMessage done = session.call(set, QDBus::Block, kCallLimitMs);
    if (done.type() == QDBusMessage::ErrorMessage)
        whyNot = QStringLiteral("accessibility could not be switched on: %1").arg(done.errorMessage());
    // The bus serves the programs that are already on it either way.
    return true;
}

} // namespace brightlock::atspi
