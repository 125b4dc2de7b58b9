// The window frame's rules without widgets: where its parts go on frames of two sizes and
// the resize of every handle code through twips.
#include "canvas_rules.h"

#include <QtTest>

using namespace brightlock::canvas;

class CanvasRulesTest : public QObject {
    Q_OBJECT
private slots:
    void partsFollowTheFrameSize() {
        const Layout small = canvasLayout({340, 162});
        QCOMPARE(small.top, QRect(0, 0, 340, 29));
        QCOMPARE(small.left, QRect(0, 29, 5, 128));
        QCOMPARE(small.right, QRect(335, 29, 5, 128));
        QCOMPARE(small.bottom, QRect(0, 157, 340, 5));
        QCOMPARE(small.grips[TopRightGrip], QRect(331, 0, 9, 9));
        QCOMPARE(small.grips[TopGrip], QRect(9, 0, 322, 4));

        // After a resize the right and bottom parts move with the edges; the left ones stay.
        const Layout big = canvasLayout({600, 400});
        QCOMPARE(big.right, QRect(595, 29, 5, 366));
        QCOMPARE(big.bottom, QRect(0, 395, 600, 5));
        QCOMPARE(big.grips[TopRightGrip].topLeft(), QPoint(591, 0));
        QCOMPARE(big.grips[BottomRightGrip].topLeft(), QPoint(591, 391));
        QCOMPARE(big.grips[TopGrip].width(), 582);
        QCOMPARE(big.grips[TopLeftGrip], small.grips[TopLeftGrip]);
        QCOMPARE(big.grips[BottomLeftGrip], QRect(0, 391, 9, 9));
    }

    void everyHandleCodeMovesTheWindowOnce_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<QRect>("after");
        // From (100, 100, 340, 162), dragged 20 px right and 10 px down.
        QTest::newRow("0 left border") << 0 << 96.0 << QRect(120, 100, 320, 162);
        QTest::newRow("1 right border") << 1 << 96.0 << QRect(100, 100, 360, 162);
        QTest::newRow("2 top edge") << 2 << 96.0 << QRect(100, 110, 340, 152);
        QTest::newRow("3 bottom border") << 3 << 96.0 << QRect(100, 100, 340, 172);
        QTest::newRow("4 bottom-right") << 4 << 96.0 << QRect(100, 100, 360, 172);
        QTest::newRow("5 bottom-left") << 5 << 96.0 << QRect(120, 100, 320, 172);
        QTest::newRow("6 top-right") << 6 << 96.0 << QRect(100, 110, 360, 152);
        QTest::newRow("7 top-left") << 7 << 96.0 << QRect(120, 110, 320, 152);
        QTest::newRow("0 at 120 dpi") << 0 << 120.0 << QRect(120, 100, 320, 162);
        QTest::newRow("7 at 144 dpi") << 7 << 144.0 << QRect(120, 110, 320, 152);
    }
    void everyHandleCodeMovesTheWindowOnce() {
        QFETCH(int, code);
        QFETCH(double, dpi);
        QFETCH(QRect, after);
        const double tpp = twipsPerPixel(dpi);
        const auto move = resizeMove(code, 20 * tpp, 10 * tpp);
        QVERIFY(move);
        QCOMPARE(resizedGeometry({100, 100, 340, 162}, *move, tpp, kSmallestFrame), after);
    }

    void twipsAndOddCases() {
        QCOMPARE(twipsPerPixel(96), 15.0);
        QCOMPARE(twipsPerPixel(120), 12.0);
        QVERIFY(!resizeMove(-1, 300, 300));
        QVERIFY(!resizeMove(8, 300, 300));
        // Dragged past the opposite edge: the smallest frame, that edge kept in place.
        QCOMPARE(resizedGeometry({100, 100, 340, 162}, *resizeMove(TopLeftGrip, 500 * 15.0, 300 * 15.0), 15,
                                 kSmallestFrame),
                 QRect(422, 228, 18, 34));
        QCOMPARE(
            resizedGeometry({100, 100, 340, 162}, *resizeMove(RightBorder, -500 * 15.0, 0), 15, {50, 40}),
            QRect(100, 100, 50, 162));
    }
};

QTEST_GUILESS_MAIN(CanvasRulesTest)
#include "canvas_rules_test.moc"
