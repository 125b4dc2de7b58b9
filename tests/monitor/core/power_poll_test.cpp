// The power-event poll driven poll by poll through a stand-in UPS: every transition of
// the event states with its display, tray, records, countdown and trims.
#include "support/monitor_rig.h"

#include <QTest>

using brightlock::PowerPath;

namespace {

struct Poll : MonitorRig {
    qint64 clockMs = 0; // the monitor's clock; each poll moves it on by one interval

    Poll() {
        monitor.setClock([this] { return clockMs; });
        monitor.Form_Load();
        log.clear();
        records.rows.clear();
    }
    void ups(bool ac, bool low) {
        psu.answering = true;
        psu.acPresent = ac;
        psu.batteryLow = low;
        poll();
    }
    void poll() {
        clockMs += brightlock::Monitor::kPollMs;
        monitor.Timer1Tick();
    }
    void silent() {
        psu.answering = false;
        poll();
    }
    void onLine() { ups(true, false); }
    void onBattery() { ups(false, false); }
    // On battery with a battery reading in libPSU.so's layout 1: charge 255 and runtime
    // 0xFFFFFFFF are "not reported".
    void onBatteryWith(int charge, quint32 runtime, bool ac = false) {
        QByteArray reply("T\x01", 2);
        reply.append(char(ac ? 1 : 0)).append(char(0)).append(char(charge));
        for (int i = 0; i < 4; ++i)
            reply.append(char((runtime >> (8 * i)) & 0xFF));
        psu.replyOverride = reply;
        poll();
        psu.replyOverride.reset();
    }
    int levelRecords() const { return int(records.rows.count("ups:Attention!! UPS Battery Level Critical")); }
    void lowBattery() { ups(false, true); }
    QStringList trayCalls() const { return log.filter(QRegularExpression("^tray ")); }
    int seconds() { return monitor.state().ShutdownSeconds; }
    bool counting() { return monitor.countdownTimer().isActive(); }
};

} // namespace

class TestPowerPoll : public QObject {
    Q_OBJECT
private slots:
    void onlineToBatteryAndBack();
    void failureAndLowBatteryTogether();
    void batteryThenLowThenRecovered();
    void lowBatteryRecoveryRestartsTheOnBatteryEvent();
    void flickeringLowBatteryKeepsTheDeadline();
    void batteryLevelThresholds_data();
    void batteryLevelThresholds();
    void batteryLevelNeverLengthensAndSkipsTheSerialLink();
    void shutdownMarginIsTheSoonerOfCountdownAndLevel();
    void disabledRecordsStillArmTheCountdown();
    void disabledLowBatteryEventRunsOut();
    void damagedShutdownSwitchNeverArms();
    void disconnectedAndBack();
    void serialLink();
    void trimsAfterEveryCompletedPoll();
    void countdownOnUsb();
    void countdownOnSerial();
    void zeroDelay();
    void countdownPausesWhileUpsIsSilent();
    void silenceOnBatteryPausesTheCountdownOnlyForAWhile();
};

void TestPowerPoll::onlineToBatteryAndBack() {
    Poll p;
    p.onLine();
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is on-line"));
    QCOMPARE(p.statusArea().messageColor, QColor(0, 128, 0));
    QVERIFY(!p.statusArea().CmdShutdownEnabled && !p.statusArea().ImaAlarm);
    QVERIFY(p.trayCalls().isEmpty() && p.records.rows.isEmpty());

    p.onBattery();
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is on Battery"));
    QCOMPARE(p.statusArea().messageColor, QColor(255, 128, 0));
    QVERIFY(p.statusArea().ImaSOk && !p.statusArea().ImaSLow && p.statusArea().ImaAlarm &&
            p.statusArea().CmdShutdownEnabled);
    QVERIFY(p.shown(PowerPath::ImageDC1) && !p.shown(PowerPath::ImageAC1));
    QCOMPARE(p.trayCalls(), QStringList{"tray ImaSOk UPS is on battery \u2014 shutdown in 5 min"});
    QCOMPARE(p.records.rows,
             (QStringList{"log:Attention!! System Power Failed", "ups:Attention!! System Power Failed"}));
    QVERIFY(p.counting());
    QCOMPARE(p.seconds(), 300); // shipped: 5 minutes

    p.onBattery(); // the first-time actions run once per event
    QCOMPARE(p.trayCalls().size(), 1);
    QCOMPARE(p.records.rows.size(), 2);

    p.monitor.alarmLoaded();
    p.onLine();
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is on-line"));
    QCOMPARE(p.statusArea().LblAlarm, QString());
    QVERIFY(!p.counting());
    QVERIFY(p.log.contains("unloadAlarm"));
    QVERIFY(!p.monitor.state().AlarmShown);
    QCOMPARE(p.trayCalls().last(), QString("tray ImaMain Brightlock"));
    QCOMPARE(p.records.rows.mid(2),
             (QStringList{"log:System AC Power Recovered", "ups:System AC Power Recovered"}));
    QVERIFY(p.shown(PowerPath::ImageAC1) && !p.shown(PowerPath::ImageDC1));
}

void TestPowerPoll::failureAndLowBatteryTogether() {
    Poll p;
    p.onLine();
    p.lowBattery();
    QVERIFY(p.monitor.state().LowBattActive);
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is Low Battery"));
    QCOMPARE(p.statusArea().messageColor, QColor(255, 0, 0));
    QVERIFY(!p.statusArea().ImaSOk && p.statusArea().ImaSLow && p.statusArea().ImaAlarm);
    QCOMPARE(p.trayCalls(), QStringList{"tray ImaSLow UPS is low battery \u2014 shutdown in 1 min"});
    QCOMPARE(p.records.rows,
             (QStringList{"log:Attention!! UPS Battery Low", "ups:Attention!! UPS Battery Low"}));
    QCOMPARE(p.seconds(), 60); // from the low-battery section, not the on-battery one
    QVERIFY(!p.monitor.state().OnBattNoted);

    p.onLine(); // only the low-battery recovery is recorded
    QCOMPARE(p.records.rows.mid(2),
             (QStringList{"log:UPS Battery Low Recovered", "ups:UPS Battery Low Recovered"}));
    QCOMPARE(p.trayCalls().last(), QString("tray ImaMain Brightlock"));
    QVERIFY(!p.counting());
}

void TestPowerPoll::batteryThenLowThenRecovered() {
    Poll p;
    p.onBattery();
    QCOMPARE(p.seconds(), 300);
    p.monitor.TimerSubTick();
    p.lowBattery();
    QCOMPARE(p.seconds(), 60); // the low-battery countdown replaces the running one
    QVERIFY(p.shown(PowerPath::ImageBL1) && !p.shown(PowerPath::ImageDC1));
    QCOMPARE(p.trayCalls().last(), QString("tray ImaSLow UPS is low battery \u2014 shutdown in 1 min"));

    p.set("UpsLowBattery", "Shutdown", "0");
    p.onLine();
    const QStringList expected{"log:Attention!! System Power Failed", "ups:Attention!! System Power Failed",
                               "log:Attention!! UPS Battery Low",     "ups:Attention!! UPS Battery Low",
                               "log:System AC Power Recovered",       "ups:System AC Power Recovered",
                               "log:UPS Battery Low Recovered",       "ups:UPS Battery Low Recovered"};
    QCOMPARE(p.records.rows, expected);
}

void TestPowerPoll::lowBatteryRecoveryRestartsTheOnBatteryEvent() {
    Poll p;
    p.onBattery();
    p.lowBattery();
    for (int i = 0; i < 5; ++i)
        p.monitor.TimerSubTick();
    p.onBattery();         // low battery ends, mains still failed, [UpsLowBattery] Shutdown = 1
    QVERIFY(p.counting()); // the deadline of this mains failure holds
    QCOMPARE(p.seconds(), 55);
    QVERIFY(!p.monitor.state().OnBattNoted);
    QCOMPARE(p.trayCalls().last(), QString("tray ImaSOk UPS is on battery \u2014 shutdown in 55 s"));
    QCOMPARE(p.records.rows.last(), QString("ups:UPS Battery Low Recovered"));
    QVERIFY(!p.notices.sent.last().body.contains("called off"));

    p.onBattery(); // a new on-battery event, whose countdown goes on from what was left
    QVERIFY(p.counting());
    QCOMPARE(p.seconds(), 55);
    QCOMPARE(p.records.rows.last(), QString("ups:Attention!! System Power Failed"));
    QCOMPARE(p.records.rows.count("log:Attention!! System Power Failed"), 2);
}

void TestPowerPoll::flickeringLowBatteryKeepsTheDeadline() {
    // With the on-battery shutdown armed, and without it (then only the low battery arms one).
    for (const char* onBatteryShutdown : {"1", "0"}) {
        Poll p;
        p.set("UpsOnBattery", "Shutdown", onBatteryShutdown);
        p.onBattery();
        int polls = 0;
        for (; polls < 300 && p.alarm.shows == 0; ++polls) {
            (polls % 2 ? p.onBattery() : p.lowBattery());
            for (int tick = 0; tick < 2 && p.counting(); ++tick) // two ticks per 2.2 s poll
                p.monitor.TimerSubTick();
        }
        // The low battery's 60 s run through every poll, whatever the signal does, and
        // never start afresh: the alarm comes at the 30th poll.
        QCOMPARE(polls, 30);
        QCOMPARE(p.records.rows.count("ups:Attention!! UPS Battery Low"), polls / 2);
        QCOMPARE(p.records.rows.count("ups:UPS Battery Low Recovered"), polls / 2);

        p.onLine(); // the next mains failure has its full countdown again
        p.lowBattery();
        QCOMPARE(p.seconds(), 60);
    }
}

void TestPowerPoll::batteryLevelThresholds_data() {
    QTest::addColumn<QString>("runtimeLimit");
    QTest::addColumn<QString>("chargeLimit");
    QTest::addColumn<int>("charge");
    QTest::addColumn<quint32>("runtime");
    QTest::addColumn<bool>("critical");
    const quint32 none = 0xFFFFFFFF;
    // clang-format off
    QTest::newRow("shipped, above both") << "" << "" << 11 << 181u << false;
    QTest::newRow("runtime at its limit") << "" << "" << 50 << 180u << true;
    QTest::newRow("runtime under") << "" << "" << 50 << 30u << true;
    QTest::newRow("charge at its limit") << "" << "" << 10 << 900u << true;
    QTest::newRow("charge under, no runtime") << "" << "" << 4 << none << true;
    QTest::newRow("runtime off") << "0" << "10" << 50 << 30u << false;
    QTest::newRow("charge off") << "3" << "0" << 4 << 900u << false;
    QTest::newRow("out of range: shipped") << "9999" << "-5" << 9 << 900u << true;
    QTest::newRow("nothing reported") << "" << "" << 255 << none << false;
    // clang-format on
}

void TestPowerPoll::batteryLevelThresholds() {
    QFETCH(QString, runtimeLimit);
    QFETCH(QString, chargeLimit);
    QFETCH(int, charge);
    QFETCH(quint32, runtime);
    QFETCH(bool, critical);
    Poll p;
    if (!runtimeLimit.isEmpty())
        p.set("UpsBatteryLevel", "Runtime", runtimeLimit);
    if (!chargeLimit.isEmpty())
        p.set("UpsBatteryLevel", "Charge", chargeLimit);
    p.onBatteryWith(charge, runtime);
    QCOMPARE(p.levelRecords(), critical ? 1 : 0);
    QCOMPARE(p.seconds(), critical ? 60 : 300); // the low battery's delay, not the on-battery one
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is on Battery"));
    if (!critical)
        return;
    QCOMPARE(p.notices.sent.last().urgency, brightlock::NoticeUrgency::Critical);
    QCOMPARE(p.notices.sent.last().body,
             QString("Attention!! UPS Battery Level Critical\nThe computer shuts down in 1 minute."));
    for (int i = 0; i < 60 && p.alarm.shows == 0; ++i) {
        p.onBatteryWith(charge, runtime); // once per mains failure
        p.monitor.TimerSubTick();
    }
    QCOMPARE(p.levelRecords(), 1);
    QCOMPARE(p.alarm.shows, 1);

    p.onLine(); // the next failure is judged afresh
    p.onBatteryWith(charge, runtime);
    QCOMPARE(p.levelRecords(), 2);

    p.set("UpsBatteryLevel", "Shutdown", "0"); // the switch turns both off
    p.onLine();
    p.onBatteryWith(charge, runtime);
    QCOMPARE(p.levelRecords(), 2);
    QCOMPARE(p.seconds(), 300);
}

void TestPowerPoll::batteryLevelNeverLengthensAndSkipsTheSerialLink() {
    Poll p;
    p.set("UpsLowBattery", "Delaytime", "2");
    p.set("UpsOnBattery", "Delaytime", "1");
    p.onBatteryWith(80, 3000);
    for (int i = 0; i < 10; ++i)
        p.monitor.TimerSubTick();
    p.onBatteryWith(9, 3000);
    QCOMPARE(p.levelRecords(), 1);
    QCOMPARE(p.seconds(), 50); // not the low battery's 120 s

    // A reading left from the USB link says nothing of a UPS on the serial one.
    Poll q;
    q.onBatteryWith(5, 60, true); // on mains: no threshold applies
    QCOMPARE(q.levelRecords(), 0);
    q.set("Mscomm", "ComboPort", "1");
    q.serial.ctsLine = true;
    q.poll();
    QCOMPARE(q.statusArea().LblMessage, QString("UPS is on Battery"));
    QCOMPARE(q.levelRecords(), 0);
    QCOMPARE(q.seconds(), 300);
}

void TestPowerPoll::shutdownMarginIsTheSoonerOfCountdownAndLevel() {
    Poll p;
    p.onBatteryWith(80, 1500); // 25 min of runtime; the on-battery countdown of 5 min runs
    QCOMPARE(p.statusArea().shutdownIn, QString("shutdown in 5 min"));
    QCOMPARE(p.tray.tip, QString("UPS is on battery \u2014 80 %, 25 min, shutdown in 5 min"));

    // Without the countdown: the charge reaches 10 % after 1500 x 70 / 80 = 1312 s (the
    // runtime 3 min after 1320 s), then the low battery's minute: 1372 s.
    p.set("UpsOnBattery", "Shutdown", "0");
    p.onLine();
    p.onBatteryWith(80, 1500);
    QCOMPARE(p.statusArea().shutdownIn, QString("shutdown in 22 min"));
    p.set("UpsBatteryLevel", "Charge", "0"); // by the runtime alone: 1380 s
    p.onBatteryWith(80, 1500);
    QCOMPARE(p.statusArea().shutdownIn, QString("shutdown in 23 min"));
    p.set("UpsBatteryLevel", "Shutdown", "0"); // nothing will shut the computer down
    p.onBatteryWith(80, 1500);
    QCOMPARE(p.statusArea().shutdownIn, QString());
    QCOMPARE(p.tray.tip, QString("UPS is on battery \u2014 80 %, 25 min"));

    p.set("UpsBatteryLevel", "Shutdown", "1"); // the level reached: its countdown, by the second
    p.onBatteryWith(80, 100);
    for (int i = 0; i < 15; ++i)
        p.monitor.TimerSubTick();
    p.onBatteryWith(80, 100);
    QCOMPARE(p.tray.tip, QString("UPS is on battery \u2014 80 %, 1 min, shutdown in 45 s"));

    p.silent(); // not answering: nothing is known, and the tip says the computer is not protected
    QCOMPARE(p.statusArea().shutdownIn, QString());
    QCOMPARE(p.tray.tip, QString("Brightlock \u2014 not protected: the UPS does not answer"));
    p.onLine();
    QCOMPARE(p.statusArea().shutdownIn, QString());
}

void TestPowerPoll::disabledRecordsStillArmTheCountdown() {
    for (auto [key, value] : {std::pair{"Recordlog", "0"}, std::pair{"Disableevent", "1"}}) {
        Poll p;
        p.set("UpsOnBattery", key, value);
        p.onBattery();
        QVERIFY(p.records.rows.isEmpty());
        QVERIFY(p.counting());
        p.onLine();
        QCOMPARE(p.records.rows,
                 (QStringList{"log:System AC Power Recovered", "ups:System AC Power Recovered"}));
    }
}

void TestPowerPoll::disabledLowBatteryEventRunsOut() {
    Poll p;
    p.set("UpsLowBattery", "Disableevent", "1");
    p.lowBattery();
    QVERIFY(p.records.rows.isEmpty());
    for (int i = 0; i < 5; ++i)
        p.monitor.TimerSubTick();
    QCOMPARE(p.seconds(), 55);
    p.lowBattery(); // not a new event: the countdown goes on and the tray stays
    p.lowBattery();
    QCOMPARE(p.seconds(), 55);
    QCOMPARE(p.trayCalls().size(), 1);
}

void TestPowerPoll::damagedShutdownSwitchNeverArms() {
    Poll p;
    p.set("UpsOnBattery", "Shutdown", "yes");
    p.set("UpsLowBattery", "Shutdown", "");
    p.onBattery();
    p.lowBattery();
    QVERIFY(!p.counting());
}

void TestPowerPoll::disconnectedAndBack() {
    Poll p;
    p.onBattery();
    QVERIFY(p.monitor.powerPath().Timer5.isActive()); // the battery pipe blinks
    const int trims = p.records.trims;
    p.log.clear();
    p.psu.answering = false;
    p.monitor.Timer1Tick();
    QCOMPARE(p.statusArea().LblMessage, QString("UPS Disconnect"));
    QCOMPARE(p.statusArea().LblAlarm, QString(" "));
    QVERIFY(!p.statusArea().CmdShutdownEnabled && !p.statusArea().ImaSOk);
    QVERIFY(p.shown(PowerPath::ImageAC1) && !p.shown(PowerPath::ImageDC1));
    // Greyed, and the tip says it: not protected.
    QCOMPARE(p.trayCalls(),
             QStringList{"tray ImaUnCon Brightlock \u2014 not protected: the UPS does not answer"});
    QCOMPARE(p.records.trims, trims); // no trimming
    QVERIFY(p.counting());            // the countdown is not touched
    QVERIFY(!p.monitor.powerPath().Timer5.isActive());

    QCOMPARE(p.notices.sent.size(), 1); // the mains failure; one missed answer is not told

    p.log.clear();
    p.monitor.Timer1Tick(); // retried: closed and opened again before the query
    QCOMPARE(p.log.mid(0, 3), (QStringList{"CloseHandleDevice", "HidHandle", "CmdOutput 1"}));
    p.monitor.Timer1Tick();
    QCOMPARE(p.notices.sent.size(), 2); // the second is, once
    QCOMPARE(p.notices.sent.last().topic, brightlock::NoticeTopic::Link);
    QCOMPARE(p.notices.sent.last().summary, QString("UPS Disconnect"));
    QCOMPARE(p.notices.sent.last().picture, brightlock::TrayPicture::ImaUnCon);

    p.onLine(); // evaluated from what was remembered: the on-battery event ends
    QCOMPARE(p.records.rows.last(), QString("ups:System AC Power Recovered"));
    QVERIFY(!p.counting());
    QCOMPARE(p.notices.sent.size(), 4);
    QCOMPARE(p.notices.sent[2].body, QString("System AC Power Recovered\nThe shutdown is called off."));
    QCOMPARE(p.notices.sent[3].summary, QString("UPS is on-line"));
    QCOMPARE(p.notices.sent[3].body, QString("The UPS answers again."));
    p.onLine();
    QCOMPARE(p.notices.sent.size(), 4);

    // Back with no event to tell: the tray leaves its greyed picture all the same.
    p.silent();
    QCOMPARE(p.tray.picture, brightlock::TrayPicture::ImaUnCon);
    p.onLine();
    QCOMPARE(p.tray.picture, brightlock::TrayPicture::ImaMain);
    QCOMPARE(p.tray.tip, QString("Brightlock"));
}

void TestPowerPoll::serialLink() {
    Poll p;
    p.set("Mscomm", "ComboPort", "1");
    p.serial.ctsLine = true;
    p.monitor.Timer1Tick();
    QVERIFY(!p.flags().UsbLink);
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is on Battery"));
    p.serial.cdLine = true;
    p.monitor.Timer1Tick();
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is Low Battery"));
    p.serial.ctsLine = p.serial.cdLine = false;
    p.monitor.Timer1Tick();
    QCOMPARE(p.statusArea().LblMessage, QString("UPS is on-line"));
    QCOMPARE(p.trayCalls().last(), QString("tray ImaMain Wrenfield System"));
    QVERIFY(!p.log.contains("CmdOutput 1"));
}

void TestPowerPoll::trimsAfterEveryCompletedPoll() {
    Poll p;
    p.set("OSEvent", "Logcount", "100");
    p.set("OSEvent", "Eventcount", "200");
    p.set("OSEvent", "Closecount", "300");
    p.onBattery();
    QCOMPARE(p.log.mid(p.log.size() - 3), (QStringList{"trim 0 100", "trim 1 200", "trim 2 300"}));
}

void TestPowerPoll::countdownOnUsb() {
    Poll p;
    p.set("UpsOnBattery", "Delaytime", "1");
    p.onBattery();
    for (int tick = 1; tick <= 59; ++tick) {
        p.monitor.TimerSubTick();
        QCOMPARE(p.statusArea().LblAlarm, QString("System ShutDown After %1  Seconds").arg(61 - tick));
        QCOMPARE(p.alarm.shows, 0);
    }
    p.monitor.TimerSubTick();
    QCOMPARE(p.statusArea().LblAlarm, QString("System ShutDown After 1  Seconds"));
    QCOMPARE(p.alarm.shows, 1); // on the 60th tick
    QVERIFY(!p.counting());
}

void TestPowerPoll::countdownOnSerial() {
    Poll p;
    p.set("Mscomm", "ComboPort", "2");
    p.set("UpsOnBattery", "Delaytime", "1");
    p.serial.ctsLine = true;
    p.monitor.Timer1Tick();
    for (int tick = 1; tick <= 60; ++tick) {
        p.monitor.TimerSubTick();
        QCOMPARE(p.statusArea().LblAlarm, QString("System ShutDown After %1 Seconds").arg(61 - tick));
    }
    QCOMPARE(p.alarm.shows, 0);
    p.monitor.TimerSubTick();
    QCOMPARE(p.statusArea().LblAlarm, QString("System ShutDown After 0 Seconds"));
    QCOMPARE(p.alarm.shows, 1); // on the 61st tick
}

void TestPowerPoll::zeroDelay() {
    for (const char* port : {"0", "3"}) {
        Poll p;
        p.set("Mscomm", "ComboPort", port);
        p.set("UpsOnBattery", "Delaytime", "0");
        p.serial.ctsLine = true;
        p.ups(false, false);
        p.monitor.TimerSubTick();
        QVERIFY(p.statusArea().LblAlarm.startsWith("System ShutDown After 0 "));
        QCOMPARE(p.alarm.shows, 1);
    }
}

void TestPowerPoll::countdownPausesWhileUpsIsSilent() {
    Poll p;
    p.onBattery();
    p.monitor.TimerSubTick();
    p.monitor.TimerSubTick();
    p.psu.answering = false;
    p.monitor.Timer1Tick();
    p.monitor.TimerSubTick();
    p.monitor.TimerSubTick();
    QCOMPARE(p.seconds(), 298);
    p.onBattery(); // answers again, still on battery: the countdown goes on where it stopped
    p.monitor.TimerSubTick();
    QCOMPARE(p.statusArea().LblAlarm, QString("System ShutDown After 298  Seconds"));
}

void TestPowerPoll::silenceOnBatteryPausesTheCountdownOnlyForAWhile() {
    Poll p;
    p.set("UpsLowBattery", "Delaytime", "0.5");
    p.lowBattery(); // the last answer, at 2.2 s
    const qint64 answered = p.clockMs;
    const QStringList rows = p.records.rows;
    for (int i = 0; i < 6; ++i)
        p.silent(); // 13.2 s of silence
    p.monitor.TimerSubTick();
    QCOMPARE(p.seconds(), 30); // a short loss pauses the countdown
    p.clockMs = answered + brightlock::Monitor::kSilenceLimitMs - 1;
    p.monitor.TimerSubTick();
    QCOMPARE(p.seconds(), 30);

    p.clockMs = answered + brightlock::Monitor::kSilenceLimitMs;
    p.monitor.TimerSubTick(); // then it goes on from the last reading
    QCOMPARE(p.seconds(), 29);
    for (int i = 0; i < 100 && p.counting(); ++i) {
        p.clockMs += 1000;
        p.monitor.TimerSubTick();
    }
    p.silent();
    QCOMPARE(p.alarm.shows, 1);
    QCOMPARE(p.records.rows, rows); // nothing recorded for the silence
    QCOMPARE(p.statusArea().LblMessage, QString("UPS Disconnect"));

    // A UPS that answers again, even once, restarts the allowance.
    Poll q;
    q.onBattery();
    q.clockMs += 60000;
    q.onBattery();
    q.silent();
    q.monitor.TimerSubTick();
    QCOMPARE(q.seconds(), 300);
}

QTEST_GUILESS_MAIN(TestPowerPoll)
#include "power_poll_test.moc"
