// "Apply" of the OS panel (Command5) against the stand-ins of fakes.h: the limit checks
// and their messages, the keys it writes, the switch of the UPS link and the countdown it
// re-arms.
#include "monitor/config/settings_file.h"
#include "os_panel_apply.h"
#include "support/monitor_rig.h"
#include "support/recording_messages.h"

#include <QTest>

using namespace brightlock;

namespace {

const QString kRange = "Please input number range between 10 and 1000";
const QString kNumber = "Please input number ";

struct ApplyRig : MonitorRig {
    RecordingMessages messages;
    OsPanelApply apply{monitor, messages};
    OsPanel panel;

    ApplyRig() {
        set("OSEvent", "Logcount", "300");
        set("OSEvent", "Eventcount", "400");
        set("OSEvent", "Closecount", "500");
        loadOsPanel(panel);
    }
    // Command5 with the panel as it stood at each message.
    QList<OsPanel> press() {
        QList<OsPanel> atMessages;
        log.clear();
        apply.Command5(panel, [&](const OsPanel& p) { atMessages << p; });
        return atMessages;
    }
    QString stored(const Setting& s) { return settings::readText(s); }
};

} // namespace

class OsPanelApplyTest : public QObject {
    Q_OBJECT
private slots:
    void limitChecks_data();
    void limitChecks();
    void twoBoxesOutOfRangeLogBoxFirst();
    void emptyBoxStillWritesAllFiveKeysInOrder();
    void switchesToSerialAndBack();
    void failedSwitchStepsAreSkipped();
    void applyRestartsTheCountdown();
};

void OsPanelApplyTest::limitChecks_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stored");
    QTest::newRow("9") << "9" << kRange << "300";
    QTest::newRow("1000") << "1000"
                          << ""
                          << "1000";
    QTest::newRow("1000.5") << "1000.5" << kRange << "300";
    QTest::newRow("10.9") << "10.9"
                          << ""
                          << "10";
    QTest::newRow("10") << "10"
                        << ""
                        << "10";
    QTest::newRow("-20") << "-20" << kRange << "300";
    QTest::newRow("not a number") << "1OO" << kNumber << "300";
    QTest::newRow("blanks only") << "  " << kNumber << "300";
}

void OsPanelApplyTest::limitChecks() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    ApplyRig r;
    r.panel.limits[0] = typed;
    const QList<OsPanel> atMessages = r.press();
    QTEST(r.stored(settings::Logcount), "stored");
    QCOMPARE(r.messages.texts, message.isEmpty() ? QStringList{} : QStringList{message});
    if (message.isEmpty())
        return;
    QCOMPARE(r.panel.limits[0], QString("300"));
    // The range message comes after the stored value is back; the number message before.
    QCOMPARE(atMessages.front().limits[0], message == kRange ? QString("300") : typed);
}

void OsPanelApplyTest::twoBoxesOutOfRangeLogBoxFirst() {
    ApplyRig r;
    r.panel.limits[0] = "5";
    r.panel.limits[2] = "2000";
    const QList<OsPanel> atMessages = r.press();
    QCOMPARE(r.messages.texts, QStringList({kRange, kRange}));
    QCOMPARE(atMessages[0].limits[0], QString("300"));
    QCOMPARE(atMessages[0].limits[2], QString("2000"));
    QCOMPARE(atMessages[1].limits[2], QString("500"));
    QCOMPARE(r.stored(settings::Logcount), QString("300"));
    QCOMPARE(r.stored(settings::Closecount), QString("500"));
}

void OsPanelApplyTest::emptyBoxStillWritesAllFiveKeysInOrder() {
    ApplyRig r;
    writeSettingsText("[UpsOnBattery]\nDelaytime=5\n[OSEvent]\nEventcount=400\n");
    r.panel.limits = {"20", "", "30.7"};
    r.panel.saveApplications = 0;
    r.panel.disableAll = 2;
    r.panel.port = -1; // no entry chosen: the port is not written
    r.press();
    QCOMPARE(r.messages.texts, QStringList{kNumber});
    QCOMPARE(r.panel.limits[1], QString("400"));
    QCOMPARE(sectionLines("OSEvent"), QStringList({"Eventcount=400", "Closecount=30", "Logcount=20",
                                                   "Saveapllication=0", "Disableevent=2", "Hibernate=0"}));
    QVERIFY(sectionLines("Mscomm").isEmpty());
}

void OsPanelApplyTest::switchesToSerialAndBack() {
    ApplyRig r;
    r.monitor.Form_Load();
    QVERIFY(r.flags().UpsReplyOk);

    r.panel.port = r.panel.ports.indexOf("COM3");
    r.press();
    QCOMPARE(r.stored(settings::ComboPort), QString("3"));
    // The USB device closed, COM3 opened at once with RTS high and DTR low.
    QCOMPARE(r.log, QStringList({"CloseHandleDevice", "setPort 3", "open", "RTS 1", "DTR 0"}));
    QVERIFY(r.serial.opened && r.serial.rts && !r.serial.dtr);

    r.panel.port = r.panel.ports.indexOf("COM1"); // from one port to another
    r.press();
    QCOMPARE(r.log, QStringList({"CloseHandleDevice", "close", "setPort 1", "open", "RTS 1", "DTR 0"}));

    r.panel.port = r.panel.ports.indexOf("USB");
    r.press();
    QCOMPARE(r.stored(settings::ComboPort), QString("0"));
    QCOMPARE(r.log, QStringList{"close"});
    QVERIFY(!r.flags().UpsReplyOk);
    // The next poll opens the USB device again and asks the UPS.
    r.log.clear();
    r.monitor.Timer1Tick();
    QCOMPARE(r.log.mid(0, 3), QStringList({"CloseHandleDevice", "HidHandle", "CmdOutput 1"}));
    QVERIFY(r.flags().UpsReplyOk);
}

void OsPanelApplyTest::failedSwitchStepsAreSkipped() {
    ApplyRig r;
    r.serial.openFails = true;
    r.panel.port = r.panel.ports.indexOf("COM2");
    r.press();
    QCOMPARE(r.log, QStringList({"CloseHandleDevice", "setPort 2", "open"})); // no RTS on a closed port
    // The user is told the port cannot be used; the polls keep trying it.
    QCOMPARE(r.messages.texts.size(), 1);
    QVERIFY(r.messages.texts.first().contains("COM2"));
    QCOMPARE(r.monitor.state().ShutdownSeconds, 300); // the steps after it still run

    // A port list text that is not exactly an entry writes no port; the switch follows the
    // stored one.
    r.panel.ports[2] = "com2";
    r.press();
    QCOMPARE(r.stored(settings::ComboPort), QString("2"));
}

void OsPanelApplyTest::applyRestartsTheCountdown() {
    ApplyRig r;
    r.monitor.Form_Load();
    r.psu.acPresent = false;
    r.monitor.Timer1Tick();
    QVERIFY(r.monitor.countdownTimer().isActive());
    for (int i = 0; i < 5; ++i)
        r.monitor.TimerSubTick();
    QCOMPARE(r.monitor.state().ShutdownSeconds, 295);

    r.press(); // nothing changed on the panel: the countdown starts again from its full length
    QCOMPARE(r.monitor.state().ShutdownSeconds, 300);
    QVERIFY(r.monitor.countdownTimer().isActive());

    r.psu.batteryLow = true;
    r.monitor.Timer1Tick();
    QVERIFY(r.monitor.state().LowBattActive);
    r.monitor.TimerSubTick();
    r.set("UpsLowBattery", "Delaytime", "2");
    r.press();
    QCOMPARE(r.monitor.state().ShutdownSeconds, 120);

    r.set("UpsLowBattery", "Delaytime", "soon"); // no usable delay: the countdown goes on
    r.monitor.Timer1Tick(); // the Apply on USB left the countdown waiting for the next answer
    r.monitor.TimerSubTick();
    r.press();
    QCOMPARE(r.monitor.state().ShutdownSeconds, 119);
}

QTEST_MAIN(OsPanelApplyTest)
#include "os_panel_apply_test.moc"
