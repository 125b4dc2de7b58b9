// The main window's load and unload: the order of the steps on each link, what a
// missing UPS or port leaves behind, and that the poll never starts before the load ends.
#include "support/monitor_rig.h"

#include <QTest>

using brightlock::PowerPath;

class TestMonitorStartup : public QObject {
    Q_OBJECT
private slots:
    void usbLoadOrder();
    void usbWithoutUpsEndsDisconnected();
    void serialLoadOrder();
    void serialPortThatWillNotOpen();
    void damagedPortSettingMeansUsb();
    void loadResetsTheAlarmFlag();
    void unloadOnUsb();
    void unloadOnSerialWithAlarm();
};

void TestMonitorStartup::usbLoadOrder() {
    MonitorRig r;
    QVERIFY(!r.monitor.pollTimer().isActive());
    r.monitor.Form_Load();
    const QStringList expected{"LayoutFormSkin", "selectStatusPage", "bind",        "tray ImaMain Brightlock",
                               "Program start",  "HidHandle",        "CmdOutput 1", "CmdInput"};
    QCOMPARE(r.log, expected);
    QVERIFY(r.flags().UpsReplyOk);
    QVERIFY(r.shown(PowerPath::ImageAC1) && r.shown(PowerPath::ImageAC2) && r.shown(PowerPath::Image1));
    QVERIFY(r.monitor.powerPath().Timer4.isActive());
    QVERIFY(r.monitor.pollTimer().isActive());
    QCOMPARE(r.monitor.pollTimer().interval(), 2200);
    QVERIFY(!r.serial.opened);
}

void TestMonitorStartup::usbWithoutUpsEndsDisconnected() {
    MonitorRig r;
    r.psu.answering = false;
    PowerPath& path = brightlock::MonitorProbe::powerPath(r.monitor);
    for (brightlock::AnimationTimer* t : {&path.Timer4, &path.Timer5, &path.Timer6})
        t->start(); // as an earlier display would have left them
    r.monitor.Form_Load();
    QCOMPARE(r.records.rows, QStringList{"log:Program start"});
    QCOMPARE(r.statusArea().LblMessage, QString("UPS Disconnect"));
    QCOMPARE(r.statusArea().LblAlarm, QString(" "));
    QVERIFY(!r.statusArea().CmdShutdownEnabled);
    QVERIFY(r.shown(PowerPath::ImageAC1));
    QVERIFY(!r.shown(PowerPath::ImageAC2));
    QVERIFY(!path.Timer4.isActive() && !path.Timer5.isActive() && !path.Timer6.isActive());
    QCOMPARE(r.tray.tip, QString("Brightlock \u2014 not protected: the UPS does not answer"));
    QCOMPARE(r.tray.picture, brightlock::TrayPicture::ImaUnCon); // not protected
    QVERIFY(r.monitor.pollTimer().isActive());                   // the poll still runs and retries the UPS
}

void TestMonitorStartup::serialLoadOrder() {
    MonitorRig r;
    r.set("Mscomm", "ComboPort", "2");
    r.monitor.Form_Load();
    const QStringList expected{"setPort 2",        "open",  "RTS 1", "DTR 0", "LayoutFormSkin",
                               "selectStatusPage", "RTS 1", "DTR 0", "bind",  "tray ImaMain Brightlock",
                               "Program start"};
    QCOMPARE(r.log, expected); // no USB device is opened
    QVERIFY(r.serial.rts && !r.serial.dtr);
    QVERIFY(r.shown(PowerPath::ImageAC1));
    QVERIFY(r.monitor.powerPath().Timer4.isActive()); // the mains path until the first poll
}

// A port that cannot be opened is not a UPS saying all is well: the monitor shows it as
// not answering, keeps trying the port at every poll and uses it once it opens.
void TestMonitorStartup::serialPortThatWillNotOpen() {
    MonitorRig r;
    r.set("Mscomm", "ComboPort", "4");
    r.serial.openFails = true;
    r.monitor.Form_Load();
    QVERIFY(r.log.contains("Program start"));
    QVERIFY(r.monitor.pollTimer().isActive());
    QCOMPARE(r.statusArea().LblMessage, QString("UPS Disconnect"));
    QCOMPARE(r.tray.picture, brightlock::TrayPicture::ImaUnCon);
    QVERIFY(!r.shown(PowerPath::ImageAC2));

    r.log.clear();
    r.monitor.Timer1Tick();
    QCOMPARE(r.log.count("open"), 1);
    QCOMPARE(r.statusArea().LblMessage, QString("UPS Disconnect"));
    QCOMPARE(r.tray.picture, brightlock::TrayPicture::ImaUnCon);
    QVERIFY(r.tray.tip.contains("COM4")); // the tip says why

    r.serial.openFails = false;
    r.monitor.Timer1Tick();
    QVERIFY(r.serial.opened && r.serial.rts && !r.serial.dtr);
    QCOMPARE(r.statusArea().LblMessage, QString("UPS is on-line"));
    QCOMPARE(r.tray.picture, brightlock::TrayPicture::ImaMain);
    QVERIFY(r.monitor.link().linkFault().isEmpty());
}

void TestMonitorStartup::damagedPortSettingMeansUsb() {
    MonitorRig r;
    r.set("Mscomm", "ComboPort", "COM2");
    r.monitor.Form_Load();
    QVERIFY(r.log.contains("HidHandle"));
    QVERIFY(!r.log.contains("open"));
}

void TestMonitorStartup::loadResetsTheAlarmFlag() {
    MonitorRig r;
    r.monitor.alarmLoaded();
    r.monitor.Form_Load();
    QVERIFY(!r.monitor.state().AlarmShown);
}

void TestMonitorStartup::unloadOnUsb() {
    MonitorRig r;
    r.monitor.Form_Load();
    r.log.clear();
    r.monitor.Form_Unload();
    QCOMPARE(r.log, (QStringList{"Program quit", "CloseHandleDevice", "RemoveTrayIcon"}));
    QVERIFY(!r.monitor.pollTimer().isActive());
    r.monitor.Form_Unload(); // the window and the session may both end the program
    QCOMPARE(r.log.count("Program quit"), 1);
}

void TestMonitorStartup::unloadOnSerialWithAlarm() {
    MonitorRig r;
    r.set("Mscomm", "ComboPort", "1");
    r.monitor.Form_Load();
    r.monitor.alarmLoaded();
    r.log.clear();
    r.monitor.Form_Unload();
    QCOMPARE(r.log,
             (QStringList{"Program quit", "close", "CloseHandleDevice", "unloadAlarm", "RemoveTrayIcon"}));
    QVERIFY(!r.monitor.state().AlarmShown);
}

QTEST_GUILESS_MAIN(TestMonitorStartup)
#include "monitor_startup_test.moc"
