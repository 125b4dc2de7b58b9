// The X11 desktop against a real X server and window manager: a private Xvfb with openbox,
// Qt windows of this test on the xcb platform, and a few bare Xlib windows for what Qt
// does not make (a title only in WM_NAME, a dock).
#include "desktop.h"
#include "support/own_session_main.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <atomic>
#include <thread>
#include <unistd.h>

using brightlock::Key;
using brightlock::WindowId;

namespace {

// A second X client of the test, for windows and facts seen from outside the desktop layer.
class BareClient {
public:
    BareClient() : display_(XOpenDisplay(nullptr)) {}
    ~BareClient() { XCloseDisplay(display_); }

    // A mapped top-level window whose only title is WM_NAME in Latin-1.
    Window window(const QString& latin1Title) {
        const Window w = XCreateSimpleWindow(display_, root(), 0, 0, 200, 100, 0, 0, 0);
        XStoreName(display_, w, latin1Title.toLatin1().constData());
        XMapWindow(display_, w);
        XSync(display_, False);
        return w;
    }
    Window dock() {
        const Window w = XCreateSimpleWindow(display_, root(), 0, 0, 1280, 30, 0, 0, 0);
        const Atom type = atom("_NET_WM_WINDOW_TYPE_DOCK");
        XChangeProperty(display_, w, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&type), 1);
        XMapWindow(display_, w);
        XSync(display_, False);
        return w;
    }
    void destroy(Window w) {
        XDestroyWindow(display_, w);
        XSync(display_, False);
    }
    bool viewable(WindowId w) {
        XWindowAttributes attributes = {};
        return XGetWindowAttributes(display_, Window(w), &attributes) && attributes.map_state == IsViewable;
    }
    bool showingDesktop() {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, remaining = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display_, root(), atom("_NET_SHOWING_DESKTOP"), 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &remaining, &data);
        const bool on = data && count == 1 && *reinterpret_cast<long*>(data) == 1;
        if (data)
            XFree(data);
        return on;
    }
    // The keyboard grabbed for `w` (shown) by this client, as a screen locker or a program with
    // a global shortcut grab would; false when the server refused.
    bool grabKeyboard(Window w) {
        const bool grabbed =
            XGrabKeyboard(display_, w, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
        XSync(display_, False);
        return grabbed;
    }
    void ungrabKeyboard() {
        XUngrabKeyboard(display_, CurrentTime);
        XSync(display_, False);
    }
    void setClass(Window w, const char* name) {
        XClassHint hint = {const_cast<char*>(name), const_cast<char*>(name)};
        XSetClassHint(display_, w, &hint);
        XSync(display_, False);
    }
    void setCapsLock(bool on) {
        XkbLockModifiers(display_, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
        XSync(display_, False);
    }
    bool capsLock() {
        XkbStateRec state = {};
        XkbGetState(display_, XkbUseCoreKbd, &state);
        return state.locked_mods & LockMask;
    }

private:
    Window root() const { return DefaultRootWindow(display_); }
    Atom atom(const char* name) { return XInternAtom(display_, name, False); }
    Display* display_;
};

WindowId idOf(QWidget& widget) {
    return WindowId(widget.winId());
}

} // namespace

class X11DesktopTest : public QObject {
    Q_OBJECT
public:
    explicit X11DesktopTest(const testing::XSession& session) : session_(session) {}

private slots:
    void initTestCase() {
        if (!session_.ok())
            return;
        QString whyNot;
        desktop_ = brightlock::openDesktop(whyNot);
        QVERIFY2(desktop_, qPrintable(whyNot));
    }
    void cleanup() {
        qDeleteAll(windows_);
        windows_.clear();
    }

    void unusableDesktopSaysWhy() {
        if (!session_.ok())
            QSKIP(qPrintable(session_.whyNot()));
        const QByteArray display = qgetenv("DISPLAY");
        const auto restore = qScopeGuard([&] { qputenv("DISPLAY", display); });
        QString whyNot;

        qunsetenv("DISPLAY");
        QVERIFY(!brightlock::openDesktop(whyNot));
        QVERIFY2(whyNot.contains("DISPLAY is not set"), qPrintable(whyNot));

        testing::XSession bare(testing::XSession::Kind::ServerOnly);
        QVERIFY2(bare.ok(), qPrintable(bare.whyNot()));
        qputenv("DISPLAY", bare.display().toLocal8Bit());
        QVERIFY(!brightlock::openDesktop(whyNot));
        QVERIFY2(whyNot.contains("no EWMH window manager"), qPrintable(whyNot));

        testing::XSession noXTest(testing::XSession::Kind::WithWindowManager, {"-extension", "XTEST"});
        QVERIFY2(noXTest.ok(), qPrintable(noXTest.whyNot()));
        qputenv("DISPLAY", noXTest.display().toLocal8Bit());
        QVERIFY(!brightlock::openDesktop(whyNot));
        QVERIFY2(whyNot.contains("no XTest"), qPrintable(whyNot));
    }

    void readsWindowFacts() {
        requireDesktop();
        QWidget& document = show(new QWidget, QStringLiteral("Grüße – Ελληνικά ✓"));
        QWidget& dialog = show(new QDialog(&document), QStringLiteral("Save As"));
        BareClient bare;
        const Window latin1 = bare.window(QStringLiteral("Café"));
        const Window dock = bare.dock();
        QVERIFY(QTest::qWaitFor([&] {
            const QVector<WindowId> clients = desktop_->clientWindows();
            return clients.contains(idOf(document)) && clients.contains(idOf(dialog)) &&
                   clients.contains(latin1);
        }));

        QCOMPARE(desktop_->windowTitle(idOf(document)), QStringLiteral("Grüße – Ελληνικά ✓"));
        QCOMPARE(desktop_->windowTitle(latin1), QStringLiteral("Café"));
        QCOMPARE(desktop_->panelWindow(), WindowId(dock));
        QVERIFY(desktop_->isApplicationWindow(idOf(document)) && desktop_->isApplicationWindow(idOf(dialog)));
        QVERIFY(desktop_->isApplicationWindow(latin1)); // no type given
        QVERIFY(!desktop_->isApplicationWindow(dock));
        QCOMPARE(desktop_->transientFor(idOf(dialog)), idOf(document));
        QCOMPARE(desktop_->transientFor(idOf(document)), WindowId(0));
        // The window manager keeps a dialog above its document.
        const QVector<WindowId> stacking = desktop_->clientWindows();
        QVERIFY(stacking.indexOf(idOf(dialog)) > stacking.indexOf(idOf(document)));
        QCOMPARE(desktop_->processOf(idOf(document)), qint64(getpid()));
        QCOMPARE(desktop_->clientOf(idOf(dialog)), desktop_->clientOf(idOf(document)));
        QVERIFY(desktop_->clientOf(latin1) != desktop_->clientOf(idOf(document)));

        QCOMPARE(desktop_->probeWindow(latin1), WindowId(latin1));
        bare.destroy(latin1);
        QCOMPARE(desktop_->probeWindow(latin1), WindowId(0));
        QCOMPARE(desktop_->windowTitle(latin1), QString());
    }

    // A window that is destroyed and one its program only hides both count as closed.
    void activatesAndCloses() {
        requireDesktop();
        QPointer<QWidget> destroyed = &show(new QWidget, QStringLiteral("destroyed on close"));
        destroyed->setAttribute(Qt::WA_DeleteOnClose);
        const WindowId destroyedId = idOf(*destroyed);
        QWidget& hidden = show(new QWidget, QStringLiteral("hidden on close"));

        QVERIFY(desktop_->activateWindow(destroyedId));
        QVERIFY(QTest::qWaitFor(
            [&] { return desktop_->activeWindow() == destroyedId && destroyed->isActiveWindow(); }));
        QVERIFY(desktop_->activateWindow(idOf(hidden)));
        QVERIFY(QTest::qWaitFor(
            [&] { return desktop_->activeWindow() == idOf(hidden) && hidden.isActiveWindow(); }));

        QVERIFY(desktop_->requestClose(destroyedId));
        QVERIFY(QTest::qWaitFor([&] { return desktop_->probeWindow(destroyedId) == 0; }));
        QVERIFY(!destroyed);
        QCOMPARE(desktop_->probeWindow(idOf(hidden)), idOf(hidden));

        QVERIFY(desktop_->requestClose(idOf(hidden)));
        QVERIFY(QTest::qWaitFor([&] { return desktop_->probeWindow(idOf(hidden)) == 0; }));
        QVERIFY(hidden.isHidden());
    }

    // Characters with a meaning in keystroke syntaxes, shifted ones, and ones the US layout
    // of the server has no key for, with Caps Lock on.
    void typesTextAsGiven() {
        requireDesktop();
        auto* edit = new QLineEdit;
        show(edit, QStringLiteral("editor"));
        QSignalSpy entered(edit, &QLineEdit::returnPressed);
        QVERIFY(desktop_->activateWindow(idOf(*edit)));
        QVERIFY(QTest::qWaitFor([&] { return edit->isActiveWindow() && edit->hasFocus(); }));
        BareClient bare;
        bare.setCapsLock(true);

        // Typing waits for the editor to read a changed keyboard mapping, so the editor's
        // event loop runs meanwhile.
        const QString text = QStringLiteral("/home/Ann {x}[y](z)+1^2%3~#!@ SaveClose42 éß€✓");
        std::atomic<bool> done{false}, typed{false};
        std::thread typist([&] {
            typed = desktop_->typeText(text);
            done = true;
        });
        const bool finished = QTest::qWaitFor([&] { return bool(done); }, 20000);
        typist.join();
        QVERIFY(finished && typed);
        QTRY_COMPARE(edit->text(), text);
        QVERIFY(bare.capsLock());
        bare.setCapsLock(false);

        QVERIFY(desktop_->keyDown(Key::Shift) && desktop_->keyDown(Key::Q));
        QVERIFY(desktop_->keyUp(Key::Q) && desktop_->keyUp(Key::Shift));
        QVERIFY(desktop_->keyDown(Key::Return) && desktop_->keyUp(Key::Return));
        QTRY_COMPARE(entered.count(), 1);
        QCOMPARE(edit->text(), text + "Q");
    }

    void minimizesAll() {
        requireDesktop();
        QWidget& first = show(new QWidget, QStringLiteral("first"));
        QWidget& second = show(new QWidget, QStringLiteral("second"));
        BareClient bare;
        QVERIFY(QTest::qWaitFor([&] { return bare.viewable(idOf(first)) && bare.viewable(idOf(second)); }));

        QVERIFY(desktop_->minimizeAll());
        QVERIFY(QTest::qWaitFor([&] { return !bare.viewable(idOf(first)) && !bare.viewable(idOf(second)); }));
        QVERIFY(bare.showingDesktop());
        QTRY_COMPARE(desktop_->activeWindow(), WindowId(0));
        QCOMPARE(desktop_->probeWindow(idOf(first)), idOf(first));

        QVERIFY(desktop_->activateWindow(idOf(first)));
        QVERIFY(QTest::qWaitFor([&] { return bare.viewable(idOf(first)); }));
        QTRY_COMPARE(desktop_->activeWindow(), idOf(first));
    }

    // Another client's keyboard grab is seen (keys would go to it), and the desktop's own test
    // for it leaves no grab behind.
    void seesAnotherProgramsKeyboardGrab() {
        requireDesktop();
        BareClient bare;
        const Window grabber = bare.window(QStringLiteral("grabber"));
        bare.setClass(grabber, "Grabber");
        QVERIFY(QTest::qWaitFor([&] { return bare.viewable(grabber); }));
        QCOMPARE(desktop_->windowClass(grabber), QString("Grabber"));
        QVERIFY(!desktop_->keyboardGrabbedElsewhere());
        QVERIFY(bare.grabKeyboard(grabber));
        QVERIFY(desktop_->keyboardGrabbedElsewhere());
        bare.ungrabKeyboard();
        QVERIFY(!desktop_->keyboardGrabbedElsewhere());
        QVERIFY(bare.grabKeyboard(grabber));
        bare.ungrabKeyboard();
        bare.destroy(grabber);
    }

private:
    void requireDesktop() {
        if (!session_.ok())
            QSKIP(qPrintable(session_.whyNot()));
        QVERIFY(desktop_);
    }
    QWidget& show(QWidget* widget, const QString& title) {
        widget->setWindowTitle(title);
        widget->resize(300, 80);
        widget->show();
        windows_.append(widget);
        if (!QTest::qWaitForWindowExposed(widget))
            QTest::qFail("the window was not shown", __FILE__, __LINE__);
        return *widget;
    }

    const testing::XSession& session_;
    std::unique_ptr<brightlock::Desktop> desktop_;
    QList<QPointer<QWidget>> windows_;
};

int main(int argc, char** argv) {
    return testing::execOnOwnSession<X11DesktopTest>(argc, argv);
}

#include "x11_desktop_test.moc"
