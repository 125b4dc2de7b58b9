// Notifications over D-Bus; see notification_service.h.
#include "notification_service.h"

#include "log_categories.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

BRIGHTLOCK_LOGGING_CATEGORY(lcNotify, "brightlock.notify")

Q_DECLARE_METATYPE(brightlock::NotificationImage)

namespace brightlock {

// The hint's D-Bus type, (iiibiiay).
QDBusArgument& operator<<(QDBusArgument& arg, const NotificationImage& image) {
    arg.beginStructure();
    arg << image.width << image.height << image.rowStride << image.hasAlpha << image.bitsPerSample
        << image.channels << image.data;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, NotificationImage& image) {
    arg.beginStructure();
    arg >> image.width >> image.height >> image.rowStride >> image.hasAlpha >> image.bitsPerSample >>
        image.channels >> image.data;
    arg.endStructure();
    return arg;
}

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

NotificationService::NotificationService(QString appName, QString desktopEntry, QObject* parent)
    : QObject(parent), appName_(std::move(appName)), desktopEntry_(std::move(desktopEntry)) {
    qDBusRegisterMetaType<NotificationImage>();
}

void NotificationService::notify(int slot, const QString& summary, const QString& body,
                                 const NotificationImage& image, int urgency) {
    const Notice notice{summary, body, image, urgency};
    closeAfter_.remove(slot);
    if (inFlight_.value(slot)) {
        waiting_.insert(slot, notice);
        return;
    }
    send(slot, notice);
}

void NotificationService::send(int slot, const Notice& notice) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCDebug(lcNotify) << "no session bus: not shown:" << notice.summary;
        return;
    }
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(notice.urgency)));
    hints.insert(QStringLiteral("desktop-entry"), desktopEntry_);
    if (!notice.image.data.isEmpty())
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(notice.image));

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << appName_ << shown_.value(slot, 0u) << desktopEntry_ << notice.summary << notice.body
         << QStringList() << hints
         << -1; // the service's own display time (critical ones stay until dismissed)
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    ++pending_;
    inFlight_.insert(slot, true);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, slot] {
        watcher->deleteLater();
        --pending_;
        inFlight_.remove(slot);
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            qCDebug(lcNotify) << "not shown:" << reply.error().message();
        } else {
            shown_.insert(slot, reply.value());
        }
        if (closeAfter_.take(slot))
            closeShown(slot);
        else if (waiting_.contains(slot))
            send(slot, waiting_.take(slot));
        emit answered(!reply.isError());
    });
}

void NotificationService::close(int slot) {
    waiting_.remove(slot);
    if (inFlight_.value(slot))
        closeAfter_.insert(slot, true);
    else
        closeShown(slot);
}

void NotificationService::closeShown(int slot) {
    const uint id = shown_.value(slot, 0u);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (id == 0 || !bus.isConnected())
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("CloseNotification"));
    call << id;
    bus.asyncCall(call); // nobody waits: a notification already gone is no error
}

} // namespace brightlock
