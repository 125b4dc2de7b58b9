// The power-path animations tick by tick: the flow sequence of the mains pipe, the
// blinking battery pipes, and what each Display and Disable call does to the timers.
#include "power_path.h"

#include <QTest>

using brightlock::PowerPath;
using brightlock::UpsFlags;

namespace {

// Runs Timer7 until it stops itself, returning the images shown.
QList<int> flowPhase(PowerPath& d) {
    QList<int> shown;
    while (d.Timer7.isActive() && shown.size() < 50) {
        d.Timer7Tick();
        shown << d.flowImage();
    }
    return shown;
}

} // namespace

class TestStatusDisplay : public QObject {
    Q_OBJECT
private slots:
    void flowSequence();
    void repeatedDisplayKeepsTheRhythm();
    void silentUsbUpsStandsStill();
    void batteryAndLowBatteryBlink();
    void leftoverFlowPassesEndThePhaseAtOnce();
};

void TestStatusDisplay::flowSequence() {
    UpsFlags flags; // serial link
    PowerPath d(flags);
    d.AcPipeDisplay();
    QVERIFY(d.Timer4.isActive());

    d.Timer4Tick(); // flowing phase
    QVERIFY(!d.isShown(PowerPath::ImageAC1) && d.isShown(PowerPath::ImageAC2));
    QCOMPARE(flowPhase(d), (QList<int>{6, 5, 4, 3, 2, 1, 6}));
    QCOMPARE(d.FlowCycles, int16_t(2));

    d.Timer4Tick(); // still phase
    QVERIFY(d.isShown(PowerPath::ImageAC1) && !d.isShown(PowerPath::ImageAC2));
    QCOMPARE(d.FlowCycles, int16_t(0));
    QVERIFY(!d.Timer7.isActive());

    d.Timer4Tick(); // every later phase: twelve frames, starting at 5
    QCOMPARE(flowPhase(d), (QList<int>{5, 4, 3, 2, 1, 6, 5, 4, 3, 2, 1, 6}));
}

// A display repeated at every poll must not restart the animation: a restarted timer
// would have its whole interval to run again. 200 ms go by before the repeat; a coarse
// timer may be off by 5 % (50 ms) either way.
void TestStatusDisplay::repeatedDisplayKeepsTheRhythm() {
    UpsFlags flags;
    PowerPath d(flags);
    d.AcPipeDisplay();
    QTest::qSleep(200);
    d.AcPipeDisplay();
    d.AcPipeDisplay();
    QVERIFY2(d.Timer4.remainingTime() < 900, qPrintable(QString::number(d.Timer4.remainingTime())));

    d.DcPipeDisplay();
    QTest::qSleep(200);
    d.DcPipeDisplay();
    QVERIFY2(d.Timer5.remainingTime() < 900, qPrintable(QString::number(d.Timer5.remainingTime())));
}

void TestStatusDisplay::silentUsbUpsStandsStill() {
    UpsFlags flags;
    flags.UsbLink = true;
    PowerPath d(flags);
    d.AcPipeDisplay();
    QVERIFY(d.isShown(PowerPath::ImageAC1) && d.isShown(PowerPath::ImageAC2) && d.isShown(PowerPath::Image1));
    QVERIFY(!d.Timer4.isActive());
    flags.UpsReplyOk = true;
    d.AcPipeDisplay();
    QVERIFY(d.Timer4.isActive());
}

void TestStatusDisplay::batteryAndLowBatteryBlink() {
    UpsFlags flags;
    PowerPath d(flags);
    d.AcPipeDisplay();
    d.Timer4Tick();
    d.DcPipeDisplay(); // on battery: the flow picture goes, its timer finishes its passes
    QVERIFY(!d.isShown(PowerPath::Image1));
    QVERIFY(!d.Timer4.isActive());
    QVERIFY(d.Timer7.isActive());
    QVERIFY(d.isShown(PowerPath::ImageDC1) && d.isShown(PowerPath::ImageDC2));
    d.Timer5Tick();
    QVERIFY(!d.isShown(PowerPath::ImageDC1) && d.isShown(PowerPath::ImageDC2));
    d.Timer5Tick();
    QVERIFY(d.isShown(PowerPath::ImageDC1) && !d.isShown(PowerPath::ImageDC2));
    d.AcPipeDisable();
    QVERIFY(!d.isShown(PowerPath::ImageAC1) && !d.isShown(PowerPath::ImageAC2));

    d.LowPipeDisplay(); // the battery section freezes in its phase
    QVERIFY(!d.Timer5.isActive());
    QVERIFY(d.isShown(PowerPath::ImageDC1) && !d.isShown(PowerPath::ImageDC2));
    d.Timer6Tick();
    QVERIFY(!d.isShown(PowerPath::ImageBL1) && d.isShown(PowerPath::ImageBL2));
    d.DcPipeDisable();
    QVERIFY(!d.isShown(PowerPath::ImageDC1) && !d.isShown(PowerPath::ImageDC2));
    d.LowPipeDisable();
    QVERIFY(!d.Timer6.isActive() && !d.isShown(PowerPath::ImageBL1) && !d.isShown(PowerPath::ImageBL2));
}

void TestStatusDisplay::leftoverFlowPassesEndThePhaseAtOnce() {
    UpsFlags flags;
    PowerPath d(flags);
    d.AcPipeDisplay();
    d.Timer4Tick();
    flowPhase(d);      // FlowCycles is 2 now
    d.AcPipeDisable(); // the section goes off before the still phase came
    d.AcPipeDisplay();
    QCOMPARE(d.FlowCycles, int16_t(2));
    d.Timer4Tick(); // starts the flowing phase and ends it on the same tick
    QVERIFY(d.isShown(PowerPath::ImageAC1) && !d.isShown(PowerPath::ImageAC2));
    QVERIFY(!d.Timer7.isActive());
    QCOMPARE(d.FlowCycles, int16_t(0));
    d.Timer4Tick();
    QVERIFY(!d.isShown(PowerPath::ImageAC1) && d.Timer7.isActive());
}

QTEST_GUILESS_MAIN(TestStatusDisplay)
#include "power_path_test.moc"
