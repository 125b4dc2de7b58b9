// The window frame on a real desktop: a private Xvfb with openbox, the framed window on the
// xcb platform and the pointer driven through XTest. The title moves the window through the
// window manager and a double-click on it maximises the window; a fixed frame only moves. Skipped without
// Xvfb or openbox.
#include "support/x_session.h"
#include "xp_canvas.h"

#include <QApplication>
#include <QTest>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

using namespace brightlock;

namespace {

// The pointer of the test's X server.
class Pointer {
public:
    Pointer() : display_(XOpenDisplay(nullptr)) {}
    ~Pointer() { XCloseDisplay(display_); }
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    void moveTo(QPoint at) {
        XTestFakeMotionEvent(display_, -1, at.x(), at.y(), CurrentTime);
        settle();
    }
    void button(bool down) {
        XTestFakeButtonEvent(display_, 1, down, CurrentTime);
        settle();
    }
    void click() {
        button(true);
        button(false);
    }

private:
    void settle() {
        XSync(display_, False);
        QTest::qWait(40);
    }
    Display* display_;
};

struct FramedWindow {
    QWidget window{nullptr, Qt::Window | Qt::FramelessWindowHint};
    xp_canvas* frame = new xp_canvas(&window);
    explicit FramedWindow(QPoint at) {
        window.setGeometry(QRect(at, QSize(340, 162)));
        window.show();
    }
    QPoint title() const { return window.geometry().topLeft() + QPoint(150, 15); }
};

} // namespace

class XpCanvasX11Test : public QObject {
    Q_OBJECT
public:
    explicit XpCanvasX11Test(const testing::XSession& session) : session_(session) {}

private slots:
    void init() {
        if (!session_.ok())
            QSKIP(qPrintable(session_.whyNot()));
    }

    void titleMovesAndMaximises() {
        FramedWindow w({200, 200});
        w.frame->setFixed_Single(true);
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QPoint start = w.window.geometry().topLeft();
        Pointer pointer;
        pointer.moveTo(w.title());
        pointer.button(true);
        for (int step = 1; step <= 4; ++step)
            pointer.moveTo(start + QPoint(150, 15) + QPoint(30, 20) * step);
        pointer.button(false);
        QTRY_COMPARE(w.window.geometry().topLeft(), start + QPoint(120, 80));

        pointer.moveTo(w.title());
        pointer.click();
        pointer.click();
        QTest::qWait(300);
        QVERIFY(!w.window.isMaximized()); // a fixed frame keeps its size

        w.frame->setFixed_Single(false);
        pointer.click();
        pointer.click();
        QTRY_VERIFY(w.window.isMaximized());
    }

private:
    const testing::XSession& session_;
};

int main(int argc, char** argv) {
    testing::XSession session;
    if (session.ok()) {
        qputenv("DISPLAY", session.display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        XpCanvasX11Test test(session);
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}

#include "xp_canvas_x11_test.moc"
