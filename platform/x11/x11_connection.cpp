#include "x11_connection.h"

#include "log_categories.h"

#include <X11/Xatom.h>
#include <atomic>

BRIGHTLOCK_LOGGING_CATEGORY(lcDesktop, "brightlock.desktop")

namespace brightlock::x11 {

namespace {

// Xlib reports errors through one process-wide handler; a window that closes between two
// requests is normal here, so errors are counted and logged, never fatal.
std::atomic<unsigned> errorCount{0};

int countError(Display* display, XErrorEvent* event) {
    ++errorCount;
    char text[128] = {};
    XGetErrorText(display, event->error_code, text, sizeof text);
    qCDebug(lcDesktop) << "X error" << text << "on resource" << Qt::hex << event->resourceid << "request"
                       << Qt::dec << int(event->request_code);
    return 0;
}

} // namespace

Connection::Connection(Display* display)
    : display_(display), root_(DefaultRootWindow(display)), previousHandler_(XSetErrorHandler(countError)) {}

Connection::~Connection() {
    XSetErrorHandler(previousHandler_);
    XCloseDisplay(display_);
}

Atom Connection::atom(const char* name) {
    return XInternAtom(display_, name, False);
}

QVector<quint64> Connection::numbers(Window window, const char* property, Atom type) {
    QVector<quint64> values;
    read(window, property, type, 32, [&](const unsigned char* data, unsigned long count) {
        // Xlib hands 32-bit items over as longs.
        const long* items = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            values.append(quint64(static_cast<unsigned long>(items[i])));
    });
    return values;
}

QByteArray Connection::bytes(Window window, const char* property, Atom type) {
    QByteArray value;
    read(window, property, type, 8, [&](const unsigned char* data, unsigned long count) {
        value = QByteArray(reinterpret_cast<const char*>(data), int(count));
    });
    return value;
}

template <typename Take>
void Connection::read(Window window, const char* property, Atom type, int format, Take take) {
    if (!window)
        return;
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display_, window, atom(property), 0, 65536, False, type,
                                          &actualType, &actualFormat, &count, &remaining, &data);
    if (status == Success && data && actualType == type && actualFormat == format)
        take(data, count);
    if (data)
        XFree(data);
}

bool Connection::supports(const char* name) {
    return numbers(root_, "_NET_SUPPORTED", XA_ATOM).contains(atom(name));
}

bool Connection::hasEwmhWindowManager() {
    const QVector<quint64> check = numbers(root_, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    if (check.isEmpty() || !check.first())
        return false;
    const QVector<quint64> self = numbers(Window(check.first()), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return !self.isEmpty() && self.first() == check.first();
}

bool Connection::askWindowManager(Window window, const char* message, long d0, long d1, long d2) {
    return sendClientMessage(root_, SubstructureRedirectMask | SubstructureNotifyMask, window, message, d0,
                             d1, d2);
}

bool Connection::sendClientMessage(Window target, long mask, Window about, const char* type, long d0, long d1,
                                   long d2) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = atom(type);
    event.xclient.format = 32;
    event.xclient.data.l[0] = d0;
    event.xclient.data.l[1] = d1;
    event.xclient.data.l[2] = d2;
    clearErrors();
    XSendEvent(display_, target, False, mask, &event);
    return !errorsSince();
}

void Connection::clearErrors() {
    XSync(display_, False);
    errorCount = 0;
}

bool Connection::errorsSince() {
    XSync(display_, False);
    return errorCount != 0;
}

} // namespace brightlock::x11
