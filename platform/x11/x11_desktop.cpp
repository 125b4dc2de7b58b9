// The desktop on X11: window facts from ICCCM and EWMH properties, requests through the
// window manager, key events through XTest.
#include "x11_connection.h"
#include "x11_keyboard.h"

#include "desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlibint.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace brightlock {

namespace {

using x11::Connection;

// The keys before Key::A in their order; Alt, Control, Shift and Super are the left-hand ones.
KeySym keysymOf(Key key) {
    static const KeySym named[] = {XK_Return,  XK_Escape,  XK_Tab,  XK_Alt_L, XK_Control_L,
                                   XK_Shift_L, XK_Super_L, XK_Home, XK_End};
    if (key < Key::A)
        return named[int(key)];
    return XK_a + KeySym(int(key) - int(Key::A));
}

// Source indication 2: the request comes from a pager-like tool acting for the user, which
// window managers honour without their focus-stealing checks.
constexpr long kFromPager = 2;

class X11Desktop : public Desktop {
public:
    explicit X11Desktop(Display* display) : x_(display), keyboard_(display) {}

    bool hasWindowManager() { return x_.hasEwmhWindowManager(); }

    WindowId activeWindow() override {
        const QVector<quint64> active = x_.numbers(x_.root(), "_NET_ACTIVE_WINDOW", XA_WINDOW);
        return active.isEmpty() ? 0 : active.first();
    }

    QString windowTitle(WindowId window) override {
        const QByteArray name = x_.bytes(Window(window), "_NET_WM_NAME", x_.atom("UTF8_STRING"));
        if (!name.isEmpty())
            return QString::fromUtf8(name);
        return legacyName(Window(window));
    }

    WindowId panelWindow() override {
        for (WindowId window : x_.numbers(x_.root(), "_NET_CLIENT_LIST", XA_WINDOW))
            if (isDock(Window(window)))
                return window;
        // Some window managers leave panels unmanaged; they are then found among the
        // shown windows below the root (the window manager's own hidden dock is not one).
        return findDock(x_.root(), 0);
    }

    QVector<WindowId> clientWindows() override {
        return x_.numbers(x_.root(), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
    }

    bool isApplicationWindow(WindowId window) override {
        // The window manager goes by the first type it knows; so does this.
        static const char* const others[] = {
            "_NET_WM_WINDOW_TYPE_DESKTOP",       "_NET_WM_WINDOW_TYPE_DOCK",
            "_NET_WM_WINDOW_TYPE_TOOLBAR",       "_NET_WM_WINDOW_TYPE_MENU",
            "_NET_WM_WINDOW_TYPE_UTILITY",       "_NET_WM_WINDOW_TYPE_SPLASH",
            "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
            "_NET_WM_WINDOW_TYPE_TOOLTIP",       "_NET_WM_WINDOW_TYPE_NOTIFICATION",
            "_NET_WM_WINDOW_TYPE_COMBO",         "_NET_WM_WINDOW_TYPE_DND"};
        for (quint64 type : x_.numbers(Window(window), "_NET_WM_WINDOW_TYPE", XA_ATOM)) {
            if (type == x_.atom("_NET_WM_WINDOW_TYPE_NORMAL") ||
                type == x_.atom("_NET_WM_WINDOW_TYPE_DIALOG"))
                return true;
            for (const char* other : others)
                if (type == x_.atom(other))
                    return false;
        }
        return probeWindow(window) != 0;
    }

    WindowId transientFor(WindowId window) override {
        Window owner = None;
        if (!window || !XGetTransientForHint(x_.display(), Window(window), &owner))
            return 0;
        return owner;
    }

    qint64 processOf(WindowId window) override {
        const QVector<quint64> pid = x_.numbers(Window(window), "_NET_WM_PID", XA_CARDINAL);
        return pid.isEmpty() ? 0 : qint64(pid.first());
    }

    quint64 clientOf(WindowId window) override {
        // The server hands every connection a range of ids: the bits above its mask.
        return window & ~quint64(reinterpret_cast<_XDisplay*>(x_.display())->resource_mask);
    }

    QString windowClass(WindowId window) override {
        XClassHint hint = {};
        if (!window || !XGetClassHint(x_.display(), Window(window), &hint))
            return QString();
        const QString name = QString::fromLocal8Bit(hint.res_class);
        XFree(hint.res_name);
        XFree(hint.res_class);
        return name;
    }

    WindowId probeWindow(WindowId window) override {
        if (!window)
            return 0;
        // XGetWindowAttributes waits for its own replies and gives 0 when the window is gone;
        // the BadWindow goes to the connection's error handler, which logs it.
        XWindowAttributes attributes = {};
        if (!XGetWindowAttributes(x_.display(), Window(window), &attributes))
            return 0;
        if (attributes.map_state != IsUnmapped)
            return window;
        // An unmapped client window is either hidden by the window manager (minimised, on
        // another workspace, the desktop shown), which keeps its WM_STATE Normal or Iconic,
        // or withdrawn by its program, which is how many programs close a window without
        // destroying it: the window manager then drops WM_STATE or sets it to Withdrawn.
        const QVector<quint64> state = x_.numbers(Window(window), "WM_STATE", x_.atom("WM_STATE"));
        const bool managed =
            !state.isEmpty() && (state.first() == NormalState || state.first() == IconicState);
        return managed ? window : 0;
    }

    bool activateWindow(WindowId window) override {
        const WindowId active = activeWindow();
        return probeWindow(window) && x_.askWindowManager(Window(window), "_NET_ACTIVE_WINDOW", kFromPager,
                                                          CurrentTime, long(active));
    }

    bool requestClose(WindowId window) override {
        if (!probeWindow(window))
            return false;
        if (x_.supports("_NET_CLOSE_WINDOW"))
            return x_.askWindowManager(Window(window), "_NET_CLOSE_WINDOW", CurrentTime, kFromPager);
        return sendDeleteWindow(Window(window));
    }

    bool minimizeAll() override {
        if (!x_.supports("_NET_SHOWING_DESKTOP"))
            return false;
        return x_.askWindowManager(x_.root(), "_NET_SHOWING_DESKTOP", 1);
    }

    bool keyboardGrabbedElsewhere() override {
        // A grab of our own succeeds only while nobody else holds one; it is let go at once.
        const int result =
            XGrabKeyboard(x_.display(), x_.root(), False, GrabModeAsync, GrabModeAsync, CurrentTime);
        if (result == GrabSuccess) {
            XUngrabKeyboard(x_.display(), CurrentTime);
            XSync(x_.display(), False);
            return false;
        }
        return result == AlreadyGrabbed || result == GrabFrozen;
    }

    bool keyDown(Key key) override { return keyboard_.key(keysymOf(key), true); }
    bool keyUp(Key key) override { return keyboard_.key(keysymOf(key), false); }
    bool typeText(const QString& text) override { return keyboard_.type(text); }

private:
    // WM_NAME in whatever encoding the program chose: Latin-1 (STRING), UTF-8 or compound text.
    QString legacyName(Window window) {
        XTextProperty property = {};
        if (!window || !XGetWMName(x_.display(), window, &property) || !property.value)
            return QString();
        QString title;
        const QByteArray raw(reinterpret_cast<const char*>(property.value), int(property.nitems));
        if (property.encoding == XA_STRING) {
            title = QString::fromLatin1(raw);
        } else if (property.encoding == x_.atom("UTF8_STRING")) {
            title = QString::fromUtf8(raw);
        } else {
            char** list = nullptr;
            int count = 0;
            if (Xutf8TextPropertyToTextList(x_.display(), &property, &list, &count) >= Success && list) {
                for (int i = 0; i < count; ++i)
                    title += QString::fromUtf8(list[i]);
                XFreeStringList(list);
            }
        }
        XFree(property.value);
        return title;
    }

    bool isDock(Window window) {
        return x_.numbers(window, "_NET_WM_WINDOW_TYPE", XA_ATOM)
            .contains(x_.atom("_NET_WM_WINDOW_TYPE_DOCK"));
    }

    WindowId findDock(Window window, int depth) {
        XWindowAttributes attributes = {};
        if (depth > 0 &&
            (!XGetWindowAttributes(x_.display(), window, &attributes) || attributes.map_state != IsViewable))
            return 0;
        if (depth > 0 && isDock(window))
            return window;
        if (depth == 2)
            return 0;
        Window root = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(x_.display(), window, &root, &parent, &children, &count))
            return 0;
        WindowId found = 0;
        for (unsigned int i = 0; i < count && !found; ++i)
            found = findDock(children[i], depth + 1);
        if (children)
            XFree(children);
        return found;
    }

    bool sendDeleteWindow(Window window) {
        const Atom deleteWindow = x_.atom("WM_DELETE_WINDOW");
        if (!x_.numbers(window, "WM_PROTOCOLS", XA_ATOM).contains(deleteWindow))
            return false;
        return x_.sendClientMessage(window, NoEventMask, window, "WM_PROTOCOLS", long(deleteWindow),
                                    CurrentTime);
    }

    Connection x_;
    x11::Keyboard keyboard_;
};

} // namespace

std::unique_ptr<Desktop> openDesktop(QString& whyNot) {
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty()) {
        whyNot = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                     ? QStringLiteral("no X display: DISPLAY is not set")
                     : QStringLiteral("a Wayland session without an X display (DISPLAY is not set)");
        return nullptr;
    }
    Display* display = XOpenDisplay(name.constData());
    if (!display) {
        whyNot = QStringLiteral("cannot open the X display \"%1\"").arg(QString::fromLocal8Bit(name));
        return nullptr;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        whyNot = QStringLiteral("the X display \"%1\" has no XTest extension, so keystrokes cannot be sent")
                     .arg(QString::fromLocal8Bit(name));
        return nullptr;
    }
    auto desktop = std::make_unique<X11Desktop>(display);
    if (!desktop->hasWindowManager()) {
        whyNot = QStringLiteral("no EWMH window manager runs on the X display \"%1\"")
                     .arg(QString::fromLocal8Bit(name));
        return nullptr;
    }
    return desktop;
}

} // namespace brightlock
