#include "support/accessibility_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>
#include <sys/prctl.h>

namespace testing {

namespace {

// Children end with this process even when the test is killed.
void endWithParent(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

QString launcherPath() {
    for (const char* path : {"/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"})
        if (QFileInfo(QString::fromLatin1(path)).isExecutable())
            return QString::fromLatin1(path);
    return QString();
}

void stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
    process.waitForFinished(5000);
}

} // namespace

AccessibilityBus::AccessibilityBus(const QString& display) {
    start(display);
}

AccessibilityBus::~AccessibilityBus() {
    stop(launcher_);
    stop(session_);
}

void AccessibilityBus::start(const QString& display) {
    const QString launcher = launcherPath();
    if (launcher.isEmpty()) {
        whyNot_ = QStringLiteral("no at-spi-bus-launcher (package at-spi2-core)");
        return;
    }
    endWithParent(session_);
    session_.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (!session_.waitForStarted() || !session_.waitForReadyRead(10000)) {
        whyNot_ = QStringLiteral("no private session bus (package dbus)");
        return;
    }
    const QByteArray address = session_.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    endWithParent(launcher_);
    launcher_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    launcher_.start(launcher, {"--launch-immediately"});
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromLatin1(address), "accessibility-test");
    const QString name = QStringLiteral("org.a11y.Bus"), path = QStringLiteral("/org/a11y/bus");
    QString a11yAddress;
    QElapsedTimer waited;
    waited.start();
    while (a11yAddress.isEmpty() && !waited.hasExpired(20000)) {
        const QDBusMessage reply =
            bus.call(QDBusMessage::createMethodCall(name, path, name, QStringLiteral("GetAddress")),
                     QDBus::Block, 2000);
        a11yAddress = reply.arguments().value(0).toString();
        if (a11yAddress.isEmpty())
            QThread::msleep(200);
    }
    if (a11yAddress.isEmpty()) {
        whyNot_ = QStringLiteral("at-spi-bus-launcher did not start the accessibility bus");
        return;
    }
    QDBusMessage enable = QDBusMessage::createMethodCall(
        name, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    enable << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
           << QVariant::fromValue(QDBusVariant(true));
    bus.call(enable, QDBus::Block, 5000);

    Display* x = XOpenDisplay(display.toLocal8Bit().constData());
    if (!x) {
        whyNot_ = QStringLiteral("cannot open %1 for AT_SPI_BUS").arg(display);
        return;
    }
    const QByteArray value = a11yAddress.toUtf8();
    XChangeProperty(x, DefaultRootWindow(x), XInternAtom(x, "AT_SPI_BUS", False), XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(value.constData()), value.size());
    XSync(x, False);
    XCloseDisplay(x);
}

} // namespace testing
