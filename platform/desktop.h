// The desktop as the closer sees it: the user's top-level application windows, the window
// manager's requests (bring to front, close, show the desktop) and a synthesised keyboard.
// On Linux this is X11 with an EWMH window manager (platform/x11, linked only by `close`);
// tests use a recording fake. Window ids are the client windows the window manager lists.
#pragma once

#include <QString>
#include <QVector>
#include <memory>

namespace brightlock {

// An X window id; 0 means no window.
using WindowId = quint64;

// Keys pressed by name. Alt, Control, Shift and Super are the left-hand keys; the letters
// are the plain letter keys.
// clang-format off
enum class Key {
    Return, Escape, Tab, Alt, Control, Shift, Super, Home, End,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z
};
// clang-format on

// "Return", "Alt", "A", ...: for logs and test records.
inline QString keyName(Key key) {
    static const char* const named[] = {"Return", "Escape", "Tab",  "Alt", "Control",
                                        "Shift",  "Super",  "Home", "End"};
    if (key < Key::A)
        return QString::fromLatin1(named[int(key)]);
    return QString(QChar('A' + (int(key) - int(Key::A))));
}

class Desktop {
public:
    virtual ~Desktop() = default;

    // The window in front (_NET_ACTIVE_WINDOW); 0 when none is, as right after showing
    // the desktop.
    virtual WindowId activeWindow() = 0;
    // The title as UTF-8 text (_NET_WM_NAME, else WM_NAME); empty when it has none or the
    // window is gone.
    virtual QString windowTitle(WindowId window) = 0;
    // The panel (taskbar): a window of type _NET_WM_WINDOW_TYPE_DOCK; 0 when there is none.
    virtual WindowId panelWindow() = 0;
    // The managed client windows from bottom to top (_NET_CLIENT_LIST_STACKING).
    virtual QVector<WindowId> clientWindows() = 0;
    // Whether the window is one a user switches to: a normal window or a dialog
    // (_NET_WM_WINDOW_TYPE, none given counts as normal), not a panel, the desktop, a
    // toolbar, a menu or a splash screen.
    virtual bool isApplicationWindow(WindowId window) = 0;
    // The window this one is a dialog of (WM_TRANSIENT_FOR); 0 when none.
    virtual WindowId transientFor(WindowId window) = 0;
    // The process that shows the window (_NET_WM_PID); 0 when it does not say.
    virtual qint64 processOf(WindowId window) = 0;
    // The X connection that created the window (the client part of its id); windows of one
    // program connection share it, whatever their _NET_WM_PID says.
    virtual quint64 clientOf(WindowId window) = 0;
    // The program's class (the class part of WM_CLASS); empty when it has none.
    virtual QString windowClass(WindowId window) = 0;

    // `window` while it is still on the desktop (shown or minimised), 0 once it is destroyed
    // or withdrawn by its program. Never fails on a stale id.
    virtual WindowId probeWindow(WindowId window) = 0;

    // Brings the window to the front and gives it the keyboard (_NET_ACTIVE_WINDOW); a
    // minimised window is restored. False when the window is gone or the request failed.
    virtual bool activateWindow(WindowId window) = 0;
    // Asks the window to close as its close button would (_NET_CLOSE_WINDOW, else
    // WM_DELETE_WINDOW); the program may ask to save first. False when the window is gone
    // or takes neither request.
    virtual bool requestClose(WindowId window) = 0;
    // Minimises every window by showing the desktop (_NET_SHOWING_DESKTOP).
    virtual bool minimizeAll() = 0;

    // Whether another program holds the keyboard grab: synthesised keys would then go to it,
    // whatever window is in front.
    virtual bool keyboardGrabbedElsewhere() = 0;
    // Synthesised key events, delivered to the window that has the keyboard.
    virtual bool keyDown(Key key) = 0;
    virtual bool keyUp(Key key) = 0;
    // Types the text exactly as given, any character, whatever the keyboard layout: nothing
    // in it has a special meaning except "\n" (Return) and "\t" (Tab). False when a
    // character could not be typed; the characters before it have been typed.
    virtual bool typeText(const QString& text) = 0;
};

// The desktop of this session, or null when windows cannot be driven here (no X display,
// no XTest, no EWMH window manager); `whyNot` then says why in one line.
std::unique_ptr<Desktop> openDesktop(QString& whyNot);

} // namespace brightlock
