// The window frame on a window of the offscreen platform: it covers the window and keeps
// its parts in place as the window changes size, resizes the window once the button is
// released on a border or grip, maximises and restores on a double-click, switches looks
// with the window's activation, shapes the window's top corners and passes its own events.
#include "canvas_pieces.h"
#include "resource_paths.h"
#include "skin_pictures.h"
#include "xp_canvas.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace brightlock;

namespace {

const QColor kMagenta(255, 0, 255);

// A frameless window wearing the frame, shown at (100, 100).
struct FramedWindow {
    QWidget window{nullptr, Qt::Window | Qt::FramelessWindowHint};
    xp_canvas* frame = new xp_canvas(&window);
    FramedWindow() {
        frame->setObjectName("xp_canvas1");
        window.setGeometry(100, 100, 340, 162);
        window.show();
    }
    template <class T = FramePiece> T* part(const char* name) { return frame->findChild<T*>(name); }
};

// Rows of `resource` that hold a magenta pixel.
QList<int> magentaRows(const char* resource) {
    const QImage picture = skin::picture(resource).toImage();
    QList<int> rows;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixelColor(x, y) == kMagenta) {
                rows << y;
                break;
            }
    return rows;
}

} // namespace

class XpCanvasTest : public QObject {
    Q_OBJECT
private slots:
    void framesTheWindowAtEverySize() {
        FramedWindow w;
        QCOMPARE(w.frame->Caption(), QString("xp_canvas1")); // its name until a caption is set
        w.frame->setCaption("System Information");
        auto* caption = w.part<QLabel>("lblcaption");
        auto* shadow = w.part<QLabel>("lblshadow");
        QCOMPARE(caption->text(), QString("System Information"));
        QCOMPARE(shadow->text(), QString("System Information"));
        QCOMPARE(caption->pos(), QPoint(26, 6));
        QCOMPARE(shadow->pos(), QPoint(28, 8));
        QVERIFY(w.part<QWidget>("pictop")->children().indexOf(shadow) <
                w.part<QWidget>("pictop")->children().indexOf(caption)); // shadow behind

        QSignalSpy resized(w.frame, &xp_canvas::Resize);
        w.window.resize(500, 300);
        QCOMPARE(w.frame->geometry(), QRect(0, 0, 500, 300));
        QVERIFY(resized.count() >= 1);
        QCOMPARE(w.part("picbottom")->geometry(), QRect(0, 295, 500, 5));
        QCOMPARE(w.part("imgresize6")->pos(), QPoint(491, 0));
        QCOMPARE(w.part("imgresize4")->pos(), QPoint(491, 291));
        // The grips lie above the window's own controls.
        auto* content = new QLabel("content", w.frame);
        content->setGeometry(5, 29, 490, 266);
        w.window.resize(400, 200);
        QCOMPARE(w.frame->childAt(395, 195), w.part<QWidget>("imgresize4"));
    }

    void bordersAndGripsResizeOnRelease() {
        FramedWindow w;
        QTest::mousePress(w.part("picleft"), Qt::LeftButton, {}, QPoint(2, 50));
        QTest::mouseMove(w.part("picleft"), QPoint(22, 50));
        QCOMPARE(w.window.geometry(), QRect(100, 100, 340, 162)); // nothing until the release
        QTest::mouseRelease(w.part("picleft"), Qt::LeftButton, {}, QPoint(22, 50));
        QTRY_COMPARE(w.window.geometry(), QRect(120, 100, 320, 162));

        QTest::mousePress(w.part("imgresize4"), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseRelease(w.part("imgresize4"), Qt::LeftButton, {}, QPoint(14, 24));
        QTRY_COMPARE(w.window.geometry(), QRect(120, 100, 330, 182));

        // A fixed frame keeps its size, and its grips leave presses to the title bar.
        w.frame->setFixed_Single(true);
        QTest::mousePress(w.part("picright"), Qt::LeftButton, {}, QPoint(2, 50));
        QTest::mouseRelease(w.part("picright"), Qt::LeftButton, {}, QPoint(40, 50));
        QCOMPARE(w.window.geometry(), QRect(120, 100, 330, 182));
        QCOMPARE(w.frame->childAt(12, 1), w.part<QWidget>("pictop"));
        QCOMPARE(w.part("picright")->cursor().shape(), Qt::ArrowCursor);
    }

    void doubleClickMaximisesAndRestores() {
        FramedWindow w;
        FramePiece* title = w.part("pictop");
        const res::FrameSet& look = w.frame->isActiveLook() ? res::kFrameActive : res::kFrameInactive;
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(150, 15));
        QTRY_VERIFY(w.window.isMaximized());
        QCOMPARE(title->picture().cacheKey(), skin::picture(look.topMax).cacheKey());
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(150, 15));
        QTRY_VERIFY(!w.window.isMaximized());
        QCOMPARE(title->picture().cacheKey(), skin::picture(look.top).cacheKey());

        w.window.showMinimized();
        QTRY_VERIFY(w.window.isMinimized());
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(150, 15));
        QTRY_COMPARE(w.window.windowState(), Qt::WindowNoState);

        w.frame->setFixed_Single(true);
        QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(150, 15));
        QTest::qWait(50);
        QCOMPARE(w.window.windowState(), Qt::WindowNoState);
    }

    void looksFollowActivation() {
        FramedWindow w;
        QWidget other;
        other.setGeometry(600, 100, 200, 100);
        other.show();
        w.window.activateWindow();
        QTRY_VERIFY(w.frame->isActiveLook());
        auto* title = w.part("pictop");
        auto* caption = w.part<QLabel>("lblcaption");
        const QColor activeText = caption->palette().color(QPalette::WindowText);

        other.activateWindow();
        QTRY_VERIFY(!w.frame->isActiveLook());
        QCOMPARE(title->picture().cacheKey(), skin::picture(res::kFrameInactive.top).cacheKey());
        QCOMPARE(w.part("picleft")->picture().cacheKey(), skin::picture(res::kFrameInactive.left).cacheKey());
        QVERIFY(caption->palette().color(QPalette::WindowText) != activeText);
        w.window.activateWindow();
        QTRY_VERIFY(w.frame->isActiveLook());
        QCOMPARE(title->picture().cacheKey(), skin::picture(res::kFrameActive.top).cacheKey());

        other.activateWindow();
        QTRY_VERIFY(!w.frame->isActiveLook());
        w.frame->SetFocus(); // the active look at once, even while another window is active
        QVERIFY(w.frame->isActiveLook());
    }

    void makeTransCutsTheTitleCorners() {
        // The key colour lies only in the rounded title's top six rows, in both looks.
        for (const res::FrameSet* set : {&res::kFrameActive, &res::kFrameInactive}) {
            const QList<int> rows = magentaRows(set->top);
            QVERIFY(!rows.isEmpty());
            QVERIFY(rows.last() <= 5);
            QVERIFY(magentaRows(set->topMax).isEmpty());
        }
        FramedWindow w;
        w.frame->make_trans();
        const QRegion shape = w.window.mask();
        QVERIFY(!shape.contains(QPoint(0, 0)) && !shape.contains(QPoint(339, 0)));
        QVERIFY(shape.contains(QPoint(12, 0)) && shape.contains(QPoint(0, 8)));
        QVERIFY(shape.contains(QPoint(0, 161)) && shape.contains(QPoint(339, 161)));
        // The shape follows the window's size.
        w.window.resize(400, 200);
        QVERIFY(!w.window.mask().contains(QPoint(399, 0)));
        QVERIFY(w.window.mask().contains(QPoint(399, 199)));
    }

    void passesItsOwnEvents() {
        FramedWindow w;
        QSignalSpy down(w.frame, &xp_canvas::MouseDown);
        QSignalSpy up(w.frame, &xp_canvas::MouseUp);
        QSignalSpy clicks(w.frame, &xp_canvas::Click);
        QSignalSpy doubles(w.frame, &xp_canvas::DblClick);
        QSignalSpy keys(w.frame, &xp_canvas::KeyDown);
        QTest::mouseClick(w.frame, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 80));
        QCOMPARE(down.value(0), (QVariantList{1, 1, 100.0f, 80.0f}));
        QCOMPARE(up.count(), 1);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseDClick(w.frame, Qt::LeftButton, {}, QPoint(100, 80));
        QCOMPARE(doubles.count(), 1);
        const int presses = down.count();
        QTest::mouseClick(w.part("pictop"), Qt::RightButton, {}, QPoint(100, 10));
        QCOMPARE(down.count(), presses); // presses on the title are the frame's, not the surface's
        w.window.activateWindow();
        w.frame->SetFocus();
        QTRY_VERIFY(w.frame->hasFocus());
        QTest::keyClick(w.frame, Qt::Key_A);
        QCOMPARE(keys.value(0).value(0).toInt(), int('A'));
    }
};

QTEST_MAIN(XpCanvasTest)
#include "xp_canvas_test.moc"
