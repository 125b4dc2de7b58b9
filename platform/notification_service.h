// Desktop notifications through the freedesktop notification service
// (org.freedesktop.Notifications on the session bus), which every desktop's panel or
// notification daemon provides. Every call is asynchronous: the caller never waits for the
// service, and a session without one (no bus, no service, a service that hangs) only costs
// a failed call that nobody waits for.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

namespace brightlock {

// A picture as the service's "image-data" hint carries it: RGBA, 8 bits a channel.
struct NotificationImage {
    int width = 0;
    int height = 0;
    int rowStride = 0;
    bool hasAlpha = true;
    int bitsPerSample = 8;
    int channels = 4;
    QByteArray data;
};

class NotificationService : public QObject {
    Q_OBJECT
public:
    // `appName` names the sender; `desktopEntry` is its .desktop file's name without the
    // suffix, through which the service finds the program's icon.
    NotificationService(QString appName, QString desktopEntry, QObject* parent = nullptr);

    // Sends one notification; urgency 0 low, 1 normal, 2 critical. It replaces the last one
    // sent with the same `slot` when the service still shows it. While the service has not
    // yet answered the slot's last call (so its id is not known), the newest notification
    // waits for that answer, and replaces it then.
    void notify(int slot, const QString& summary, const QString& body, const NotificationImage& image,
                int urgency);

    // Takes the slot's last notification off the screen, if the service still shows it. The
    // next notification of the slot replaces nothing then (the service starts a new one).
    void close(int slot);

    // Calls sent whose answer has not come yet.
    int pending() const { return pending_; }

signals:
    // The service answered a call (with the notification's id, or an error).
    void answered(bool ok);

private:
    struct Notice {
        QString summary;
        QString body;
        NotificationImage image;
        int urgency = 1;
    };
    void send(int slot, const Notice& notice);
    void closeShown(int slot);

    QString appName_;
    QString desktopEntry_;
    QHash<int, uint> shown_;      // slot -> the id of its last notification
    QHash<int, bool> inFlight_;   // slot -> a call whose answer has not come yet
    QHash<int, Notice> waiting_;  // slot -> the newest notification held back meanwhile
    QHash<int, bool> closeAfter_; // slot -> to be closed once its call has answered
    int pending_ = 0;
};

} // namespace brightlock
