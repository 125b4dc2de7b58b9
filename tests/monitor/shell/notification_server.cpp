// A stand-in freedesktop notification service, for tests of the desktop notifications on a
// private session bus. It prints "ready" once it owns org.freedesktop.Notifications, then
// one line per notification:
//   notify <id> replaces=<id> urgency=<0|1|2> image=<W>x<H> app=<name> | <summary> | <body>
// with the body's line breaks written "\n". With --stall it takes the calls and never
// answers, as a hung service would.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The size carried by an image-data hint, (iiibiiay); "none" without one.
QString imageSize(const QVariantMap& hints) {
    const QVariant v = hints.value(QStringLiteral("image-data"));
    if (!v.isValid())
        return QStringLiteral("none");
    const QDBusArgument arg = v.value<QDBusArgument>();
    int width = 0, height = 0, stride = 0, bits = 0, channels = 0;
    bool alpha = false;
    QByteArray data;
    arg.beginStructure();
    arg >> width >> height >> stride >> alpha >> bits >> channels >> data;
    arg.endStructure();
    if (data.size() != stride * height)
        return QStringLiteral("bad");
    return QStringLiteral("%1x%2").arg(width).arg(height);
}

} // namespace

class Server : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit Server(bool stall) : stall_(stall) {}

public slots:
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int timeout) {
        Q_UNUSED(icon);
        Q_UNUSED(actions);
        Q_UNUSED(timeout);
        const uint id = replaces ? replaces : ++last_;
        say(QStringLiteral("notify %1 replaces=%2 urgency=%3 image=%4 app=%5 | %6 | %7")
                .arg(id)
                .arg(replaces)
                .arg(hints.value(QStringLiteral("urgency"), -1).toInt())
                .arg(imageSize(hints), app, summary, QString(body).replace('\n', QLatin1String("\\n"))));
        if (stall_)
            setDelayedReply(true); // and never answered
        return id;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
    void CloseNotification(uint id) { say(QStringLiteral("close %1").arg(id)); }
    QString GetServerInformation(QString& vendor, QString& version, QString& protocolVersion) {
        vendor = QStringLiteral("tests");
        version = QStringLiteral("1");
        protocolVersion = QStringLiteral("1.2");
        return QStringLiteral("notification_server");
    }

signals:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString& action);

private:
    bool stall_;
    uint last_ = 0;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool stall = app.arguments().contains(QStringLiteral("--stall"));
    QDBusConnection bus = QDBusConnection::sessionBus();
    Server server(stall);
    if (!bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
        !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
        std::fprintf(stderr, "notification_server: cannot take the service's name: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    say(QStringLiteral("ready"));
    return app.exec();
}

#include "notification_server.moc"
