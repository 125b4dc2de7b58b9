// The Xlib side of the desktop: one display connection with its named atoms, window
// properties read as plain values, EWMH requests to the window manager, and X errors on
// stale window ids collected instead of ending the process (Xlib's default).
#pragma once

// Qt first: Xlib's macros (Status, Bool, None) break Qt headers included after it. Every file
// of this folder includes this header before anything else.
#include <QByteArray>
#include <QHash>
#include <QLoggingCategory>
#include <QString>
#include <QVector>

#include <X11/Xlib.h>

Q_DECLARE_LOGGING_CATEGORY(lcDesktop)

namespace brightlock::x11 {

class Connection {
public:
    // Takes ownership of `display`, and keeps X errors from ending the process while it lives.
    explicit Connection(Display* display);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* display() const { return display_; }
    Window root() const { return root_; }
    Atom atom(const char* name);

    // The items of a 32-bit property of the given type; empty when it is missing, of another
    // type, or the window is gone.
    QVector<quint64> numbers(Window window, const char* property, Atom type);
    // The bytes of an 8-bit property of the given type.
    QByteArray bytes(Window window, const char* property, Atom type);

    // Whether the window manager lists `name` in _NET_SUPPORTED.
    bool supports(const char* name);
    // Whether an EWMH window manager runs: _NET_SUPPORTING_WM_CHECK names a live window
    // that names itself.
    bool hasEwmhWindowManager();
    // Sends an EWMH request about `window` to the window manager (a client message to the
    // root window). False when an X error came back.
    bool askWindowManager(Window window, const char* message, long d0, long d1 = 0, long d2 = 0);
    // Sends `target` a 32-bit client message of type `type` about `about`, for the clients
    // that select `mask` on it (NoEventMask: its owner). False when an X error came back.
    bool sendClientMessage(Window target, long mask, Window about, const char* type, long d0, long d1 = 0,
                           long d2 = 0);

    // Starts collecting X errors; `errorsSince` syncs with the server and says whether any
    // request since then failed (for instance on a window that is gone).
    void clearErrors();
    bool errorsSince();

private:
    // Reads a property of the given type and format (8 or 32) and hands its items to `take`.
    template <typename Take> void read(Window window, const char* property, Atom type, int format, Take take);

    Display* display_;
    Window root_;
    XErrorHandler previousHandler_;
};

} // namespace brightlock::x11
