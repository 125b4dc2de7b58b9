// The alarm window's rules: the bar to the tick, "Shutdown" and "Cancel", the re-check
// timers on both links, and the gradient's colours.
#include "alarm_paint.h"
#include "alarm_sequence.h"
#include "support/monitor_rig.h"

#include <QTest>

using brightlock::AlarmSequence;

namespace {

struct View : brightlock::AlarmView {
    fakes::CallLog& log;
    int width = 415;
    bool visible = true;
    QList<int> chunks;
    explicit View(fakes::CallLog& l) : log(l) {}
    void resetDisplay() override {
        log << "reset";
        chunks.clear();
    }
    void paintChunk(int x) override { chunks << x; }
    int barWidth() const override { return width; }
    void showWindow() override {
        log << "show";
        visible = true;
    }
    void hideWindow() override {
        log << "hide";
        visible = false;
    }
    void unloadWindow() override { log << "unload"; }
};

struct Rig : MonitorRig {
    View view{log};
    int shutdowns = 0;
    AlarmSequence alarm{monitor, view, [this] { ++shutdowns; }};
    // A poll of a USB UPS reporting this: the USB link is in force.
    void usb(bool onBatt, bool low) {
        psu.acPresent = !onBatt;
        psu.batteryLow = low;
        monitor.Timer1Tick();
    }
};

} // namespace

class TestAlarm : public QObject {
    Q_OBJECT
private slots:
    void loadClearsTheCountdownText();
    void barRunsFullThenShutsDown();
    void narrowerBarEndsSooner();
    void shutdownButtonStopsEveryTimer();
    void cancelWhileBatteryIsLow();
    void cancelAfterPowerReturned();
    void cancelOnSerialLink();
    void gradientEnds();
};

void TestAlarm::loadClearsTheCountdownText() {
    Rig r;
    r.usb(true, false);       // on battery: the countdown runs
    r.monitor.TimerSubTick(); // and shows its seconds
    QVERIFY(!r.monitor.statusArea().LblAlarm.isEmpty());
    r.alarm.Load();
    QCOMPARE(r.monitor.statusArea().LblAlarm, QString());
    QVERIFY(r.monitor.state().AlarmShown);
    QVERIFY(r.alarm.Timer1.isActive());
    QCOMPARE(r.alarm.Timer1.interval(), 100);
}

void TestAlarm::barRunsFullThenShutsDown() {
    Rig r;
    r.alarm.Load();
    for (int tick = 1; tick <= 40; ++tick) {
        r.alarm.Timer1Tick();
        QCOMPARE(r.shutdowns, 0);
    }
    r.alarm.Timer1Tick();
    QCOMPARE(r.view.chunks.size(), 41);
    QCOMPARE(r.view.chunks.first(), 4);
    QCOMPARE(r.view.chunks.last(), 404);
    QCOMPARE(r.alarm.BarPos, int16_t(414));
    QCOMPARE(r.shutdowns, 1);
    QVERIFY(!r.alarm.Timer1.isActive());
    QCOMPARE(r.log.last(), QString("unload"));
}

void TestAlarm::narrowerBarEndsSooner() {
    Rig r;
    r.view.width = 100;
    r.alarm.Load();
    while (r.alarm.Timer1.isActive())
        r.alarm.Timer1Tick();
    QCOMPARE(r.view.chunks.size(), 9); // 4 to 84: the bar is full when 90 < BarPos
    QCOMPARE(r.shutdowns, 1);
}

void TestAlarm::shutdownButtonStopsEveryTimer() {
    Rig r;
    r.usb(true, true);
    r.alarm.Load();
    r.alarm.CancelClick();
    r.alarm.Timer3Tick(); // back for the low battery, while Timer2 still polls
    QVERIFY(r.alarm.Timer1.isActive() && r.alarm.Timer2.isActive());
    r.alarm.ShutdownClick();
    QCOMPARE(r.shutdowns, 1);
    // Neither a full bar nor a re-check can start a second shutdown.
    QVERIFY(!r.alarm.Timer1.isActive() && !r.alarm.Timer2.isActive() && !r.alarm.Timer3.isActive());
}

void TestAlarm::cancelWhileBatteryIsLow() {
    Rig r;
    r.usb(true, true);
    r.alarm.Load();
    for (int i = 0; i < 10; ++i)
        r.alarm.Timer1Tick();
    r.alarm.CancelClick();
    QVERIFY(!r.view.visible);
    QVERIFY(!r.alarm.Timer1.isActive());
    QVERIFY(r.alarm.Timer2.isActive() && r.alarm.Timer3.isActive());
    QCOMPARE(r.alarm.Timer2.interval(), 5000);
    QCOMPARE(r.alarm.Timer3.interval(), 2000);

    r.log.clear();
    r.alarm.Timer3Tick(); // 2 s: still low, the warning comes back with an empty bar
    QCOMPARE(r.log, (QStringList{"reset", "show"}));
    QCOMPARE(r.alarm.BarPos, int16_t(4));
    QVERIFY(r.alarm.Timer1.isActive());
    QVERIFY(!r.alarm.Timer3.isActive());

    r.alarm.Timer2Tick(); // while low, the on-battery re-check only waits
    QVERIFY(r.alarm.Timer2.isActive());
    r.usb(true, false);
    r.log.clear();
    r.alarm.Timer2Tick(); // low battery gone, still on battery: back again, then it stops
    QCOMPARE(r.log, (QStringList{"reset", "show"}));
    QVERIFY(!r.alarm.Timer2.isActive());
}

void TestAlarm::cancelAfterPowerReturned() {
    Rig r;
    r.usb(false, false);
    r.alarm.Load();
    r.alarm.CancelClick();
    r.log.clear();
    r.alarm.Timer3Tick();
    r.alarm.Timer2Tick();
    QVERIFY(r.log.isEmpty());
    QVERIFY(!r.alarm.Timer2.isActive() && !r.alarm.Timer3.isActive());
    QVERIFY(!r.view.visible);
}

void TestAlarm::cancelOnSerialLink() {
    Rig r;
    r.usb(false, true); // the USB flags are not looked at on the serial link
    r.set("Mscomm", "ComboPort", "3");
    r.serial.ctsLine = true;
    r.monitor.Timer1Tick(); // the poll puts the serial link in force
    r.alarm.Load();
    r.alarm.CancelClick();
    r.log.clear();
    r.alarm.Timer3Tick();
    QVERIFY(r.log.isEmpty());
    r.alarm.Timer2Tick();
    QCOMPARE(r.log, (QStringList{"reset", "show"}));
}

void TestAlarm::gradientEnds() {
    using namespace brightlock;
    const int w = 552;
    QCOMPARE(gradientColour(kGradientLeft, kGradientRight, w, 0), QColor(131, 166, 244));
    QCOMPARE(gradientColour(kGradientLeft, kGradientRight, w, w), QColor(33, 120, 224));
    QCOMPARE(gradientColour(kGradientLeft, kGradientRight, w, 276), QColor(82, 143, 234));
    // A channel equal at both ends stays constant.
    const uint32_t a = vbRgb(10, 50, 200), b = vbRgb(250, 50, 0);
    for (int x : {0, 100, 552})
        QCOMPARE(gradientColour(a, b, w, x).green(), 50);
    QCOMPARE(gradientColour(a, b, w, w), QColor(250, 50, 0));
}

QTEST_GUILESS_MAIN(TestAlarm)
#include "alarm_test.moc"
