// The skinned push button on a real widget: looks, events and their order, where a pointer
// counts as on it, the hover timer, caption, keys, access key and what it paints.
#include "controls/pointer_moves.h"
#include "skin_pictures.h"
#include "xpcmdbutton.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace brightlock;
using pointer::hover;

namespace {

const QColor kDisabledCaption(161, 161, 146);

QColor captionColour(const xpcmdbutton& button) {
    return button.findChild<QLabel*>("lbl")->palette().color(QPalette::Disabled, QPalette::WindowText);
}

} // namespace

class XpCmdButtonTest : public QObject {
    Q_OBJECT
private slots:
    void stateChoosesTheRestingLook() {
        xpcmdbutton button;
        QCOMPARE(button.currentCell(), 0);
        button.setState(1);
        QCOMPARE(button.currentCell(), 4);
        button.setState(2);
        QCOMPARE(button.currentCell(), 4);
        button.setState(0);
        QCOMPARE(button.currentCell(), 0);
        button.setState(7);
        QCOMPARE(button.currentCell(), 0);
        QCOMPARE(button.State(), 7);
    }

    void disablingShowsTheDisabledCellAndCaption() {
        xpcmdbutton button("Apply");
        button.resize(73, 25);
        hover(&button, {10, 10});
        QCOMPARE(button.currentCell(), 3);
        button.setEnabled(false);
        QCOMPARE(button.currentCell(), 2);
        QCOMPARE(captionColour(button), kDisabledCaption);
        button.setState(1);
        QCOMPARE(button.currentCell(), 2);
        button.setEnabled(true);
        QCOMPARE(button.currentCell(), 4);
        QCOMPARE(captionColour(button), QColor(Qt::black));
    }

    void pressReleaseAndClickInOrder() {
        xpcmdbutton button("Shutdown");
        button.resize(73, 25);
        QStringList order;
        QList<QList<float>> downArgs;
        connect(&button, &xpcmdbutton::MouseDown, this, [&](int b, int s, float x, float y) {
            order << "down";
            downArgs << QList<float>{float(b), float(s), x, y};
        });
        connect(&button, &xpcmdbutton::MouseUp, this, [&] { order << "up"; });
        connect(&button, &xpcmdbutton::Click, this, [&] { order << "click"; });

        QTest::mousePress(&button, Qt::LeftButton, Qt::ShiftModifier, {20, 11});
        QCOMPARE(button.currentCell(), 1);
        QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, {20, 11});
        QCOMPARE(button.currentCell(), 0);
        QCOMPARE(order, (QStringList{"down", "up", "click"}));
        QCOMPARE(downArgs.first(), (QList<float>{1, 1, 20, 11}));

        order.clear();
        QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, {20, 11});
        QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, {200, 11});
        QCOMPARE(order, (QStringList{"down", "up"}));

        order.clear();
        QTest::mouseClick(&button, Qt::RightButton, Qt::NoModifier, {20, 11});
        QCOMPARE(order, (QStringList{"down", "up"}));
    }

    // The button raises MouseDown and MouseOut before it changes its look.
    void lookChangesAfterTheEvents() {
        xpcmdbutton button;
        button.resize(73, 25);
        QList<int> seen;
        connect(&button, &xpcmdbutton::MouseDown, this, [&] { seen << button.currentCell(); });
        connect(&button, &xpcmdbutton::MouseOut, this, [&] { seen << button.currentCell(); });
        hover(&button, {30, 12});
        QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, {30, 12});
        button.hoverTick(button.mapToGlobal(QPoint(30, 40)));
        QCOMPARE(seen, (QList<int>{3, 1}));
        QCOMPARE(button.currentCell(), 0);
    }

    // A move inside shows the pressed look with the left button held alone, else the hover
    // look, raises MouseMove with the buttons held, and starts the hover timer.
    void movesShowHoverOrPressed() {
        xpcmdbutton button;
        button.resize(73, 25);
        QSignalSpy moves(&button, &xpcmdbutton::MouseMove);
        QVERIFY(!button.isHoverTimerActive());
        const std::pair<Qt::MouseButtons, int> looks[] = {{Qt::NoButton, 3},
                                                          {Qt::LeftButton, 1},
                                                          {Qt::LeftButton | Qt::RightButton, 3},
                                                          {Qt::LeftButton, 1},
                                                          {Qt::RightButton, 3}};
        for (const auto& [held, cell] : looks) {
            pointer::move(&button, {30, 12}, held);
            QCOMPARE(button.currentCell(), cell);
        }
        QVERIFY(button.isHoverTimerActive());
        QCOMPARE(moves.count(), 5);
        QCOMPARE(moves.at(1).at(0).toInt(), 1);
        QCOMPARE(moves.at(2).at(0).toInt(), 3);
    }

    // Only a move on the button counts, its right and bottom edges excluded; any move
    // starts the hover timer.
    void movesCountOnlyInsideTheEdges_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("inside");
        QTest::newRow("top-left corner") << QPointF(0, 0) << true;
        QTest::newRow("just inside the far corner") << QPointF(72.5, 24.5) << true;
        QTest::newRow("right edge") << QPointF(73, 10) << false;
        QTest::newRow("bottom edge") << QPointF(10, 25) << false;
        QTest::newRow("left of it") << QPointF(-0.5, 10) << false;
    }
    void movesCountOnlyInsideTheEdges() {
        QFETCH(QPointF, at);
        QFETCH(bool, inside);
        xpcmdbutton button;
        button.resize(73, 25);
        QSignalSpy moves(&button, &xpcmdbutton::MouseMove);
        hover(&button, at);
        QCOMPARE(moves.count(), inside ? 1 : 0);
        QCOMPARE(button.currentCell(), inside ? 3 : 0);
        QVERIFY(button.isHoverTimerActive());
    }

    // The hover timer's tick ends the hover (MouseOut, the resting look, the timer stopped)
    // only with the pointer beyond the edges; the edges still count as on the button.
    void hoverEndsOnlyBeyondTheEdges_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("ended");
        QTest::newRow("inside") << QPoint(30, 12) << false;
        QTest::newRow("top-left corner") << QPoint(0, 0) << false;
        QTest::newRow("right edge") << QPoint(73, 12) << false;
        QTest::newRow("far corner") << QPoint(73, 25) << false;
        QTest::newRow("right of it") << QPoint(74, 10) << true;
        QTest::newRow("below") << QPoint(10, 26) << true;
        QTest::newRow("left of it") << QPoint(-1, 10) << true;
        QTest::newRow("above") << QPoint(10, -1) << true;
    }
    void hoverEndsOnlyBeyondTheEdges() {
        QFETCH(QPoint, at);
        QFETCH(bool, ended);
        xpcmdbutton button;
        button.resize(73, 25);
        button.setState(1);
        QSignalSpy out(&button, &xpcmdbutton::MouseOut);
        hover(&button, {30, 12});
        QCOMPARE(button.currentCell(), 3);
        button.hoverTick(button.mapToGlobal(at));
        QCOMPARE(out.count(), ended ? 1 : 0);
        QCOMPARE(button.isHoverTimerActive(), !ended);
        QCOMPARE(button.currentCell(), ended ? 4 : 3);
    }

    void labelMouseEventsReachTheButton() {
        xpcmdbutton button("Cancel");
        button.resize(73, 25);
        auto* lbl = button.findChild<QLabel*>("lbl");
        QSignalSpy down(&button, &xpcmdbutton::MouseDown);
        QSignalSpy click(&button, &xpcmdbutton::Click);
        QTest::mouseClick(lbl, Qt::LeftButton, Qt::NoModifier, {2, 2});
        QCOMPARE(down.count(), 1);
        QCOMPARE(click.count(), 1);
        QCOMPARE(down.first().at(2).toFloat(), float(lbl->x() + 2));
    }

    void captionIsCentredAndFollowsTheFont() {
        xpcmdbutton button("Help");
        button.resize(73, 25);
        auto* lbl = button.findChild<QLabel*>("lbl");
        QCOMPARE(lbl->text(), QString("Help"));
        QVERIFY(qAbs(lbl->geometry().center().x() - 36) <= 1);
        QVERIFY(qAbs(lbl->geometry().center().y() - 12) <= 1);

        QFont big = button.Font();
        big.setPointSize(big.pointSize() * 2);
        const int oldWidth = lbl->width();
        button.setFont(big);
        QVERIFY(lbl->width() > oldWidth);
        QVERIFY(qAbs(lbl->geometry().center().x() - 36) <= 1);
    }

    // A Space or Enter typed as a window with these buttons comes up must never press one:
    // keys raise the key events and nothing else, and go on to the window.
    void keysRaiseOnlyTheKeyEvents() {
        QWidget window;
        auto* button = new xpcmdbutton("Shutdown", &window);
        button->resize(73, 25);
        QList<int> windowKeys;
        struct KeyWatch : QObject {
            QList<int>* seen;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::KeyPress)
                    *seen << static_cast<QKeyEvent*>(e)->key();
                return false;
            }
        } watch;
        watch.seen = &windowKeys;
        window.installEventFilter(&watch);
        QSignalSpy click(button, &xpcmdbutton::Click);
        QSignalSpy down(button, &xpcmdbutton::KeyDown);
        QSignalSpy press(button, &xpcmdbutton::KeyPress);
        QSignalSpy up(button, &xpcmdbutton::KeyUp);

        QTest::keyPress(button, Qt::Key_Space);
        QCOMPARE(button->currentCell(), 0);
        QTest::keyRelease(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter);
        QTest::keyClick(button, 'A', Qt::ShiftModifier);
        QCOMPARE(click.count(), 0);
        QCOMPARE(button->currentCell(), 0);
        QCOMPARE(down.first(), (QList<QVariant>{32, 0}));
        QCOMPARE(down.at(1), (QList<QVariant>{13, 0})); // Return
        QCOMPARE(down.at(2), (QList<QVariant>{13, 0})); // Enter
        QCOMPARE(down.last(), (QList<QVariant>{65, 1}));
        QCOMPARE(press.first().at(0).toInt(), int(' '));
        QCOMPARE(press.last().at(0).toInt(), int('A'));
        QVERIFY(up.contains(QList<QVariant>{65, 1}));
        windowKeys.removeAll(Qt::Key_Shift);
        QCOMPARE(windowKeys, (QList<int>{Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A}));
    }

    void accessKeyClicks() {
        QWidget window;
        auto* button = new xpcmdbutton("&Apply", &window);
        new xpcmdbutton("Cancel", &window);
        QCOMPARE(button->findChild<QLabel*>("lbl")->text(), QString("Apply"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy click(button, &xpcmdbutton::Click);
        QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
        QCOMPARE(click.count(), 1);
    }

    void paintsTheCellItShows() {
        const QImage strip = skin::buttonStrip().toImage().convertToFormat(QImage::Format_ARGB32);
        xpcmdbutton button;
        button.resize(73, 25);
        button.show();
        hover(&button, {30, 12});
        const int cells[] = {3, 1, 2, 4, 0};
        for (int cell : cells) {
            if (cell == 1)
                QTest::mousePress(&button, Qt::LeftButton, Qt::NoModifier, {30, 12});
            if (cell == 2) {
                QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, {300, 12});
                button.setEnabled(false);
            }
            if (cell == 4) {
                button.setEnabled(true);
                button.setState(1);
            }
            if (cell == 0)
                button.setState(0);
            QCOMPARE(button.currentCell(), cell);
            const QImage shot = button.grab().toImage().convertToFormat(QImage::Format_ARGB32);
            // The corner pieces are copied unscaled; where the skin is transparent the
            // background shows through, so only its opaque pixels compare.
            for (const QPoint corner : {QPoint(0, 0), QPoint(15, 18)}) {
                const QPoint at = corner.x() == 0 ? QPoint(0, 0) : QPoint(70, 22);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < 3; ++x) {
                        const QColor skin = strip.pixelColor(cell * 18 + corner.x() + x, corner.y() + y);
                        if (skin.alpha() == 255)
                            QCOMPARE(shot.pixelColor(at.x() + x, at.y() + y), skin);
                    }
            }
        }
    }
};

QTEST_MAIN(XpCmdButtonTest)
#include "xpcmdbutton_test.moc"
