// The tray icon on a StatusNotifierItem host, end to end: a private session bus with a
// stand-in watcher (helpers/sni_watcher), the real QSystemTrayIcon on a private X server,
// and the host's click and menu entry reaching the main window's opener.
#include "status_notifier.h"
#include "system_tray.h"
#include "x_session.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// A session bus of the test's own, started before Qt first connects to one.
class PrivateBus {
public:
    PrivateBus() {
        FILE* out = ::popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (!out)
            return;
        char address[512] = {}, pid[32] = {};
        if (std::fgets(address, sizeof address, out) && std::fgets(pid, sizeof pid, out)) {
            address_ = QByteArray(address).trimmed();
            pid_ = QByteArray(pid).trimmed().toInt();
        }
        ::pclose(out);
    }
    ~PrivateBus() {
        if (pid_ > 0)
            ::kill(pid_, SIGTERM);
    }
    bool ok() const { return pid_ > 0 && !address_.isEmpty(); }
    QByteArray address() const { return address_; }

private:
    QByteArray address_;
    pid_t pid_ = 0;
};

} // namespace

class TestTrayHost : public QObject {
    Q_OBJECT
public:
    TestTrayHost(bool bus, bool display) : bus_(bus), display_(display) {}

private slots:
    void initTestCase() {
        if (!bus_ || !display_)
            QSKIP("needs dbus-daemon and Xvfb");
    }
    void plainBusHasNoHost();
    void hostClickAndMenuOpen();

private:
    bool bus_, display_;
};

void TestTrayHost::plainBusHasNoHost() {
    QVERIFY(!brightlock::statusNotifierHostPresent());
}

void TestTrayHost::hostClickAndMenuOpen() {
    QProcess watcher;
    watcher.start(QCoreApplication::applicationDirPath() + "/sni_watcher");
    // Read while the event loop runs: the watcher's calls need this process to answer.
    QByteArray seen;
    auto saw = [&](const QByteArray& text) {
        seen += watcher.readAllStandardOutput();
        return seen.contains(text);
    };
    QTRY_VERIFY_WITH_TIMEOUT(saw("ready\n"), 10000);
    QVERIFY(brightlock::statusNotifierHostPresent());

    brightlock::SystemTray tray;
    QVERIFY(tray.statusNotifierHost());
    int opens = 0;
    tray.onOpen = [&] { ++opens; };
    tray.ShowTrayIcon(brightlock::TrayPicture::ImaSOk, "UPS is on battery");
    QTRY_VERIFY_WITH_TIMEOUT(saw("registered "), 10000);

    watcher.write("activate\n");
    QTRY_VERIFY_WITH_TIMEOUT(saw("activate\n"), 10000);
    QVERIFY2(seen.contains("done activate"), seen.constData());
    QTRY_COMPARE(opens, 1); // a single click opens the window

    watcher.write("menu Open\n");
    QTRY_VERIFY_WITH_TIMEOUT(saw("menu Open\n"), 10000);
    QVERIFY2(seen.contains("done menu Open"), seen.constData());
    QTRY_COMPARE(opens, 2); // and so does the menu's "Open"

    watcher.closeWriteChannel();
    QVERIFY(watcher.waitForFinished(5000));
}

// The bus and the X server are the test's own and exist before the application, so that
// Qt's D-Bus tray and its xcb platform use them.
int main(int argc, char** argv) {
    PrivateBus bus;
    if (bus.ok())
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address());
    testing::XSession session(testing::XSession::Kind::ServerOnly);
    if (session.ok()) {
        qputenv("DISPLAY", session.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        app.setQuitOnLastWindowClosed(false);
        TestTrayHost test(bus.ok(), session.ok());
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "test_tray_host.moc"
