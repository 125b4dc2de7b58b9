// logind calls; see logind.h.
#include "logind.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <atomic>

namespace brightlock::logind {

Reply call(const QString& method, const QVariantList& arguments, int timeoutMs) {
    static std::atomic<int> next{0};
    const QString name = QStringLiteral("brightlock.logind.%1").arg(next++);
    Reply reply;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SystemBus, name);
        if (!bus.isConnected()) {
            reply.error = QStringLiteral("no system bus (%1)").arg(bus.lastError().message());
        } else {
            QDBusMessage message = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), method);
            message.setArguments(arguments);
            const QDBusMessage answer = bus.call(message, QDBus::Block, timeoutMs);
            if (answer.type() == QDBusMessage::ReplyMessage) {
                reply.ok = true;
                reply.value = answer.arguments().value(0).toString();
            } else {
                reply.error = answer.errorMessage().isEmpty()
                                  ? answer.errorName()
                                  : QStringLiteral("%1 (%2)").arg(answer.errorMessage(), answer.errorName());
            }
        }
    }
    QDBusConnection::disconnectFromBus(name);
    return reply;
}

Reply requestAction(const QString& method, int timeoutMs) {
    return call(method, {QVariant(false)}, timeoutMs);
}

} // namespace brightlock::logind
