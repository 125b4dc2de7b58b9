// The monitor's shell on a real desktop, end to end: the tray icon on a StatusNotifierItem
// host (a private session bus with a stand-in watcher, monitor/shell/sni_watcher, whose click and
// menu entry reach the main window's opener), and the main window coming back from the
// tray where it was left, under a private X server with openbox.
#include "frm_main.h"
#include "status_notifier.h"
#include "support/private_bus.h"
#include "support/x_session.h"
#include "system_tray.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <X11/Xlib.h>

#include <unistd.h>

class TestShellDesktop : public QObject {
    Q_OBJECT
public:
    TestShellDesktop(bool bus, bool display) : bus_(bus), display_(display) {}

private slots:
    void initTestCase() {
        if (!bus_ || !display_)
            QSKIP("needs dbus-daemon, Xvfb and openbox");
    }
    void plainBusHasNoHost();
    void hostClickAndMenuOpen();
    void mainWindowComesBackWhereItWasLeft();

private:
    bool bus_, display_;
};

void TestShellDesktop::plainBusHasNoHost() {
    QVERIFY(!brightlock::statusNotifierHostPresent());
}

void TestShellDesktop::hostClickAndMenuOpen() {
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
    QObject::connect(&tray, &brightlock::SystemTray::openRequested, [&] { ++opens; });
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

// Where the X server shows a window's top-left corner.
QPoint shownAt(QWidget& w) {
    Display* display = XOpenDisplay(nullptr);
    int x = -1, y = -1;
    ::Window child = 0;
    XTranslateCoordinates(display, ::Window(w.winId()), DefaultRootWindow(display), 0, 0, &x, &y, &child);
    XCloseDisplay(display);
    return {x, y};
}

void TestShellDesktop::mainWindowComesBackWhereItWasLeft() {
    brightlock::frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Another client has the window manager move it, as a drag of the title does; the
    // window learns where it went.
    Display* display = XOpenDisplay(nullptr);
    XMoveWindow(display, ::Window(w.winId()), 333, 222);
    XCloseDisplay(display);
    QTRY_COMPARE(w.pos(), QPoint(333, 222));

    w.minimizeInto(true);
    QTRY_VERIFY(!w.isVisible());
    w.showFromTray();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Not placed afresh by the window manager when it is mapped again.
    QTRY_COMPARE_WITH_TIMEOUT(shownAt(w), QPoint(333, 222), 2000);
    QTest::qWait(300);
    QCOMPARE(shownAt(w), QPoint(333, 222));
}

// The bus and the X server are the test's own and exist before the application, so that
// Qt's D-Bus tray and its xcb platform use them.
int main(int argc, char** argv) {
    PrivateBus bus;
    if (bus.ok())
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address());
    testing::XSession session;
    session.selectQtPlatform();
    int status = 0;
    {
        QApplication app(argc, argv);
        app.setQuitOnLastWindowClosed(false);
        TestShellDesktop test(bus.ok(), session.ok());
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "shell_desktop_test.moc"
