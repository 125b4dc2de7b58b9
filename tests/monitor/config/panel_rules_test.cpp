// The Event Manager page's rules without a screen: what the panels load, what their click
// rules and arrows do, and what a power-event panel's Apply writes.
#include "app_paths.h"
#include "arrow_buttons.h"
#include "battery_level_panel.h"
#include "ini_file.h"
#include "monitor/config/settings_file.h"
#include "os_panel.h"
#include "power_event_panel.h"
#include "support/recording_messages.h"
#include "support/temp_home.h"

#include <QTest>

using namespace brightlock;
using settings::PowerEvent;

class PanelRulesTest : public QObject {
    Q_OBJECT
private slots:
    void arrows_data();
    void arrows();
    void panelsShowTheValuesInForce();
    void disableAllTickedThenCleared();
    void powerApplyWritesFourKeysInOrder();
    void unusableDelayIsRefused_data();
    void unusableDelayIsRefused();
    void osDisableAllAndPortList();
    void batteryLevelPanel();
    void applyThatCannotStoreTellsWhy();
};

void PanelRulesTest::arrows_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("limit"); // a record limit, else a delay
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("result");
    QTest::newRow("limit > 1000") << "1000" << true << true << "1000";
    QTest::newRow("limit > 999") << "999" << true << true << "1000";
    QTest::newRow("limit > 1005") << "1005" << true << true << "1000";
    QTest::newRow("limit > 5") << "5" << true << true << "6";
    QTest::newRow("limit < 10") << "10" << true << false << "10";
    QTest::newRow("limit < 9") << "9" << true << false << "10";
    QTest::newRow("limit < 11") << "11" << true << false << "10";
    QTest::newRow("limit < 10.5 keeps the fraction") << "10.5" << true << false << "9.5";
    QTest::newRow("delay > 250") << "250" << false << true << "251";
    QTest::newRow("delay < 1") << "1" << false << false << "1";
    QTest::newRow("delay < 0") << "0" << false << false << "1";
    QTest::newRow("delay < 2.5") << "2.5" << false << false << "1.5";
    QTest::newRow("delay < 2.3 shows 1.3") << "2.3" << false << false << "1.3";
    QTest::newRow("delay > blanks around") << " 4 " << false << true << "5";
    // Not a number: the value in force comes back (Logcount 300 stored, Delaytime 1O damaged).
    QTest::newRow("limit not a number") << "abc" << true << true << "300";
    QTest::newRow("delay not a number") << "" << false << false << "5";
}

void PanelRulesTest::arrows() {
    QFETCH(QString, box);
    QFETCH(bool, limit);
    QFETCH(bool, up);
    TempHome home;
    home.set("OSEvent", "Logcount", "300");
    home.set("UpsOnBattery", "Delaytime", "1O");
    const Arrow arrow = up ? Arrow::Up : Arrow::Down;
    const QString result = limit ? pressArrow(box, arrow, kLimitRange, settings::Logcount)
                                 : pressArrow(box, arrow, kDelayArrows, settings::UpsOnBattery.Delaytime);
    QTEST(result, "result");
}

void PanelRulesTest::panelsShowTheValuesInForce() {
    TempHome home;
    home.set("UpsOnBattery", "Disableevent", "1");
    home.set("UpsOnBattery", "Recordlog", "0");
    home.set("UpsOnBattery", "Shutdown", "0");
    home.set("UpsOnBattery", "Delaytime", "7.50");
    PowerEventPanel on;
    on.recordLogEnabled = false; // not the load's to change
    loadPowerEventPanel(on);
    QCOMPARE(on.disableAll, 1);
    QCOMPARE(on.recordLog, 0);
    QCOMPARE(on.shutdown, 0);
    QCOMPARE(on.delay, QString("7.50")); // the stored text unchanged
    QVERIFY(!on.groupEnabled);
    QVERIFY(!on.delayEnabled);
    QVERIFY(!on.delayArrowsEnabled);
    QVERIFY(!on.recordLogEnabled);

    // Damaged values show what the monitor does with them: Disableevent 5 disables the
    // record, a missing Recordlog reads as the shipped 1, a Shutdown that is not a number
    // never arms, and a delay that is not a number gives way to the shipped one.
    home.set("UpsLowBattery", "Disableevent", "5");
    home.set("UpsLowBattery", "Recordlog", "");
    home.set("UpsLowBattery", "Shutdown", "yes");
    home.set("UpsLowBattery", "Delaytime", "-2");
    PowerEventPanel low;
    low.event = PowerEvent::LowBattery;
    loadPowerEventPanel(low);
    QCOMPARE(low.disableAll, 1);
    QCOMPARE(low.recordLog, 1);
    QCOMPARE(low.shutdown, 0);
    QCOMPARE(low.delay, QString("1"));

    // Greyed is shown greyed, and only a ticked box disables the group or enables the delay.
    home.set("UpsLowBattery", "Disableevent", "2");
    home.set("UpsLowBattery", "Shutdown", "2");
    loadPowerEventPanel(low);
    QCOMPARE(low.disableAll, 2);
    QVERIFY(low.groupEnabled);
    QVERIFY(!low.delayEnabled);
}

void PanelRulesTest::disableAllTickedThenCleared() {
    TempHome home;
    PowerEventPanel p;
    loadPowerEventPanel(p); // shipped: nothing disabled, both boxes ticked
    QVERIFY(p.delayEnabled && p.delayArrowsEnabled);

    disableAllClicked(p); // was clear: ticking
    QVERIFY(!p.groupEnabled && !p.recordLogEnabled && !p.shutdownEnabled && !p.delayArrowsEnabled);
    QCOMPARE(p.recordLog, 0);
    QCOMPARE(p.shutdown, 0);
    QVERIFY(p.delayEnabled); // keeps its own state inside the disabled group
    p.disableAll = 1;        // what the box does after its click

    disableAllClicked(p); // was ticked: clearing
    QVERIFY(p.groupEnabled && p.recordLogEnabled && p.shutdownEnabled);
    QCOMPARE(p.recordLog, 0);
    QCOMPARE(p.shutdown, 0);
    QVERIFY(!p.delayArrowsEnabled); // until "Enable for this event" is ticked
    QVERIFY(p.delayEnabled);

    p.disableAll = 2; // greyed: a click clears it
    p.groupEnabled = false;
    disableAllClicked(p);
    QVERIFY(p.groupEnabled);

    enableEventClicked(p); // was clear: ticking
    QVERIFY(p.delayEnabled && p.delayArrowsEnabled);
    for (int before : {1, 2}) { // ticked or greyed: clearing
        p.shutdown = before;
        enableEventClicked(p);
        QVERIFY(!p.delayEnabled && !p.delayArrowsEnabled);
    }
}

void PanelRulesTest::powerApplyWritesFourKeysInOrder() {
    TempHome home;
    writeSettingsText("[Mscomm]\nComboPort=0\n"); // no [UpsLowBattery]: keys land in write order
    home.set("UpsLowBattery", "Delaytime", "3");
    PowerEventPanel p;
    p.event = PowerEvent::LowBattery;
    loadPowerEventPanel(p);
    disableAllClicked(p);
    p.disableAll = 1;
    RecordingMessages messages;
    applyPowerEventPanel(p, messages);
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(sectionLines("UpsLowBattery"),
             QStringList({"Delaytime=3", "Disableevent=1", "Shutdown=0", "Recordlog=0"}));

    writeSettingsText("");
    p.delay = "12.5";
    p.recordLog = 2;
    applyPowerEventPanel(p, messages);
    QCOMPARE(sectionLines("UpsLowBattery"),
             QStringList({"Disableevent=1", "Shutdown=0", "Recordlog=2", "Delaytime=12.5"}));
}

void PanelRulesTest::unusableDelayIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("message");
    const QString number = "Please input number ";
    const QString range = "Please input number range between 0 and 35791394";
    QTest::newRow("typo") << "1O" << true << number;
    QTest::newRow("empty") << "" << true << number;
    QTest::newRow("negative") << "-1" << true << range;
    QTest::newRow("beyond the countdown") << "1e12" << true << range;
    QTest::newRow("zero") << "0" << false << QString();
    QTest::newRow("fraction") << "2.5" << false << QString();
}

void PanelRulesTest::unusableDelayIsRefused() {
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    QFETCH(QString, message);
    TempHome home;
    home.set("UpsOnBattery", "Delaytime", "4");
    PowerEventPanel p;
    loadPowerEventPanel(p);
    p.delay = typed;
    p.recordLog = 0;
    RecordingMessages messages;
    QStringList boxAtMessage;
    applyPowerEventPanel(p, messages, [&](const PowerEventPanel& shown) { boxAtMessage << shown.delay; });

    QCOMPARE(messages.texts, refused ? QStringList{message} : QStringList{});
    QCOMPARE(boxAtMessage, refused ? QStringList{typed} : QStringList{});
    QCOMPARE(p.delay, refused ? QString("4") : typed);
    QCOMPARE(settings::readText(settings::UpsOnBattery.Delaytime), refused ? QString("4") : typed);
    QCOMPARE(settings::readText(settings::UpsOnBattery.Recordlog), QString("0")); // written all the same
}

void PanelRulesTest::osDisableAllAndPortList() {
    TempHome home;
    home.set("MsComm", "ComboPort", "3"); // the name as the page reads it; Apply writes "Mscomm"
    home.set("OSEvent", "Closecount", "250");
    OsPanel p;
    loadOsPanel(p);
    QCOMPARE(p.ports, QStringList({"USB", "COM1", "COM2", "COM3", "COM4"}));
    QCOMPARE(p.portText(), QString("COM3"));
    QCOMPARE(p.limits[2], QString("250"));
    QCOMPARE(p.saveApplications, 1);

    home.set("Mscomm", "ComboPort", "7"); // no such port: the monitor polls USB
    loadOsPanel(p);
    QCOMPARE(p.portText(), QString("USB"));

    osDisableAllClicked(p); // ticking
    QCOMPARE(p.saveApplications, 0);
    QVERIFY(!p.saveApplicationsEnabled && !p.limitsEnabled && !p.limitArrowsEnabled);
    loadOsPanel(p); // loading changes no enabled state
    QVERIFY(!p.saveApplicationsEnabled && !p.limitsEnabled);
    p.disableAll = 1;
    p.saveApplications = 0;
    osDisableAllClicked(p); // clearing
    QVERIFY(p.saveApplicationsEnabled && p.limitsEnabled && p.limitArrowsEnabled);
    QCOMPARE(p.saveApplications, 0);
}

void PanelRulesTest::batteryLevelPanel() {
    TempHome home;
    BatteryLevelPanel p;
    loadBatteryLevelPanel(p); // shipped: armed at 3 min or 10 %
    QCOMPARE(p.shutdown, 1);
    QCOMPARE(p.runtime, QString("3"));
    QCOMPARE(p.charge, QString("10"));
    QVERIFY(p.limitsEnabled);
    levelShutdownClicked(p); // clearing
    QVERIFY(!p.limitsEnabled);

    // A limit out of its range gets the stored value back, then the range message; one
    // that is not a number gets the number message first. The rest is stored all the same.
    p.shutdown = 0;
    p.runtime = "601";
    p.charge = "1O";
    RecordingMessages messages;
    QStringList boxesAtMessage;
    QVERIFY(applyBatteryLevelPanel(p, messages, [&](const BatteryLevelPanel& shown) {
        boxesAtMessage << shown.runtime + "/" + shown.charge;
    }));
    QCOMPARE(messages.texts,
             (QStringList{"Please input number range between 0 and 600", "Please input number "}));
    QCOMPARE(boxesAtMessage, (QStringList{"3/1O", "3/1O"}));
    QCOMPARE(p.charge, QString("10"));
    QCOMPARE(sectionLines("UpsBatteryLevel"), (QStringList{"Shutdown=0", "Runtime=3", "Charge=10"}));
    QCOMPARE(settings::batteryLevelLimits().runtimeSeconds, 0); // off

    p.shutdown = 1;
    p.runtime = " 0 ";
    p.charge = "25";
    QVERIFY(applyBatteryLevelPanel(p, messages));
    QCOMPARE(sectionLines("UpsBatteryLevel"), (QStringList{"Shutdown=1", "Runtime=0", "Charge=25"}));
    QCOMPARE(settings::batteryLevelLimits().chargePercent, 25);
}

// Apply that cannot store says so with the folder and the cause, shows what is in force,
// and leaves the shutdown armed.
void PanelRulesTest::applyThatCannotStoreTellsWhy() {
    TempHome home;
    home.set("UpsOnBattery", "Delaytime", "7");
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::Append)); // too large for the writer, still read
    file.write(QByteArray(int(ini::kMaxFileSize), ';'));
    file.close();
    PowerEventPanel on;
    loadPowerEventPanel(on);
    on.delay = "9";
    RecordingMessages messages;
    applyPowerEventPanel(on, messages);
    QCOMPARE(messages.texts.size(), 1);
    QCOMPARE(messages.texts[0],
             QString("The settings could not be saved in the folder \"%1\": the settings "
                     "file is larger than 1024 KiB.\nThe settings stored before stay in force.")
                 .arg(home.path()));
    QCOMPARE(on.delay, QString("7"));

    const QByteArray saved = qgetenv("BRIGHTLOCK_HOME");
    qputenv("BRIGHTLOCK_HOME", SettingsFile().toLocal8Bit()); // a file, not a folder
    BatteryLevelPanel level;
    loadBatteryLevelPanel(level);
    level.shutdown = 0;
    const bool stored = applyBatteryLevelPanel(level, messages);
    const bool armed = settings::shutdownArmed(PowerEvent::OnBattery) && settings::batteryLevelLimits().any();
    const QString folder = ApplicationDirectory();
    qputenv("BRIGHTLOCK_HOME", saved);
    QVERIFY(!stored);
    QCOMPARE(messages.texts.size(), 2);
    QCOMPARE(messages.texts[1],
             QString("The settings could not be saved in the folder \"%1\": it is a file, "
                     "not a folder.\nThe shipped settings are in force, with the shutdown armed.")
                 .arg(folder));
    QCOMPARE(level.shutdown, 1); // the panel shows what is in force
    QVERIFY(armed);
}

QTEST_MAIN(PanelRulesTest)
#include "panel_rules_test.moc"
