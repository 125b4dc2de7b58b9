// The shutdown path: the confirmation dialog's requests, StartShutdown with and without
// the closer, the shutdown watch on each link, and the dry-run power-off.
#include "question_modes.h"
#include "shutdown_controller.h"
#include "support/monitor_rig.h"
#include "support/stderr_capture.h"

#include <QProcess>
#include <QTest>

using brightlock::ShutdownController;
using brightlock::Store;

namespace {

struct Ports : brightlock::ShutdownPorts, brightlock::QuestionPorts {
    fakes::CallLog& log;
    ShutdownController* shutdown = nullptr;
    bool closerStarts = true;
    explicit Ports(fakes::CallLog& l) : log(l) {}
    void showQuestion() override { log << "showQuestion"; }
    void startShutdown() override { shutdown->StartShutdown(ShutdownController::Asker::Question); }
    void unloadQuestion() override { log << "unloadQuestion"; }
    void hideMainWindow() override { log << "hideMainWindow"; }
    void hideAlarm() override { log << "hideAlarm"; }
    bool startCloser() override {
        log << "startCloser";
        return closerStarts;
    }
    void clearStore(Store s) override { log << QStringLiteral("clear %1").arg(int(s)); }
};

struct PowerOff : brightlock::PowerOff {
    fakes::CallLog& log;
    bool rehearsal = false;
    explicit PowerOff(fakes::CallLog& l) : log(l) {}
    void powerOff() override { log << "powerOff"; }
    bool dryRun() const override { return rehearsal; }
};

struct Rig : MonitorRig {
    Ports ports{log};
    PowerOff power{log};
    ShutdownController shutdown{monitor, power, ports};
    brightlock::QuestionModes questions{monitor.dialog(), ports};
    qint64 clockMs = 0;
    Rig() {
        ports.shutdown = &shutdown;
        monitor.setClock([this] { return clockMs; });
    }
    QString shutDownKey() { return ReadIni(SettingsFile(), "Schema", "ShutDown", "missing"); }
};

} // namespace

class TestShutdown : public QObject {
    Q_OBJECT
private slots:
    void dialogRequests();
    void noResetsEveryRequest();
    void twoOpenersOneYes();
    void withoutCloserGoesDownAtTheNextTick();
    void leftoverRequestWaitsForTheCloser();
    void closerThatCannotStartStillGoesDown();
    void serialLinkRaisesDtrOnly();
    void alarmWindowAsks();
    void laterRequestsOnlyHideTheWindows();
    void noAlarmWhileGoingDown();
    void closerThatNeverReports();
    void requestThatCannotBeStored();
    void staleRequestThatCannotBeReset();
    void dryRunPowerOffLine();
    void dryRunSwitchesOffOnlyTheSimulatedUps();
};

void TestShutdown::dialogRequests() {
    Rig r;
    r.questions.CmdShutdownClick();
    r.questions.CmdShutdownClick(); // the same dialog shown again
    QVERIFY(r.monitor.dialog().AskShutdown);
    QCOMPARE(r.log, (QStringList{"showQuestion", "showQuestion"}));
    QCOMPARE(r.questions.questionText(), QString("Are you sure shutdown system and ups ?"));
}

void TestShutdown::noResetsEveryRequest() {
    Rig r;
    r.questions.CmdShutdownClick();
    r.questions.askClear(Store::Ups);
    r.questions.No();
    const auto& d = r.monitor.dialog();
    QVERIFY(!d.AskShutdown && !d.AskClearLog && !d.AskClearUps && !d.AskClearClosed);
    QVERIFY(!r.shutdown.Timer3.isActive());
    r.questions.askClear(Store::Log);
    QCOMPARE(r.questions.questionText(), QString("     Are you sure clear all logs ?"));
}

void TestShutdown::twoOpenersOneYes() {
    Rig r;
    r.set("OSEvent", "Saveapllication", "0");
    r.questions.CmdShutdownClick();
    r.questions.askClear(Store::Closed);
    r.questions.askClear(Store::Log);
    r.log.clear();
    r.questions.Yes();
    QCOMPARE(r.log, (QStringList{"hideMainWindow", "unloadQuestion", "hideAlarm", "clear 0", "clear 2",
                                 "unloadQuestion"}));
    const auto& d = r.monitor.dialog();
    QVERIFY(!d.AskShutdown && !d.AskClearLog && !d.AskClearClosed);
    QVERIFY(r.shutdown.Timer3.isActive());
    QCOMPARE(r.shutDownKey(), QString("1"));
}

void TestShutdown::withoutCloserGoesDownAtTheNextTick() {
    Rig r;
    r.monitor.Form_Load();
    r.set("OSEvent", "Saveapllication", "0");
    r.shutdown.StartShutdown(ShutdownController::Asker::Question);
    QVERIFY(!r.log.contains("startCloser"));
    QCOMPARE(r.shutdown.Timer3.interval(), 100);
    r.log.clear();
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log, (QStringList{"CmdOutput 2", "CmdOutput 2", "CmdOutput 2", "powerOff"}));
    QCOMPARE(r.psu.switchOffCommands, 3);
    QCOMPARE(r.shutDownKey(), QString("0"));
    QVERIFY(r.shutdown.Timer3.isActive()); // stays on; the next ticks find "0"
    r.log.clear();
    r.shutdown.ShutdownWatch();
    QVERIFY(r.log.isEmpty());
}

void TestShutdown::leftoverRequestWaitsForTheCloser() {
    Rig r;
    r.set("Schema", "ShutDown", "1"); // left from an earlier run
    r.shutdown.StartShutdown(ShutdownController::Asker::Question);
    QVERIFY(r.log.contains("startCloser"));
    r.log.clear();
    r.shutdown.ShutdownWatch(); // the closer is still saving: nothing yet
    QVERIFY(!r.log.contains("powerOff"));
    r.set("Schema", "ShutDown", "1"); // the closer is done
    r.shutdown.ShutdownWatch();
    QVERIFY(r.log.contains("powerOff"));
}

void TestShutdown::closerThatCannotStartStillGoesDown() {
    Rig r;
    r.ports.closerStarts = false;
    r.shutdown.StartShutdown(ShutdownController::Asker::Question);
    QCOMPARE(r.shutDownKey(), QString("1"));
    r.shutdown.ShutdownWatch();
    QVERIFY(r.log.contains("powerOff"));
}

void TestShutdown::serialLinkRaisesDtrOnly() {
    Rig r;
    r.set("Mscomm", "ComboPort", "2");
    r.monitor.Form_Load();
    r.set("Schema", "ShutDown", "1");
    r.log.clear();
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log, (QStringList{"DTR 1", "powerOff"}));
    QVERIFY(r.serial.dtr);
}

void TestShutdown::alarmWindowAsks() {
    Rig r;
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    QCOMPARE(r.log, (QStringList{"hideMainWindow", "hideAlarm", "startCloser"}));
}

void TestShutdown::laterRequestsOnlyHideTheWindows() {
    Rig r;
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    r.log.clear();
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm); // a new alarm ran full
    r.questions.CmdShutdownClick();
    r.questions.Yes(); // and the user pressed the shutdown button
    QCOMPARE(r.log, (QStringList{"hideMainWindow", "hideAlarm", "showQuestion", "hideMainWindow",
                                 "unloadQuestion", "unloadQuestion"}));
    r.shutdown.ShutdownWatch(); // the one closer is still saving
    QVERIFY(!r.log.contains("powerOff"));
    r.set("Schema", "ShutDown", "1");
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log.count("powerOff"), 1);
}

// Once the machine is going down no alarm window comes up to take the keyboard from the
// closer: neither from the countdown (the alarm control is not asked) nor from a re-check
// of an alarm window cancelled before (the port stops them with the window).
void TestShutdown::noAlarmWhileGoingDown() {
    Rig r;
    r.monitor.Form_Load();
    r.set("UpsLowBattery", "Delaytime", "0");
    r.questions.CmdShutdownClick();
    r.questions.Yes();
    QVERIFY(r.log.contains("hideAlarm"));
    r.psu.acPresent = false;
    r.psu.batteryLow = true;
    r.monitor.Timer1Tick();
    r.monitor.TimerSubTick();
    QVERIFY(!r.monitor.TimerSub.isActive());
    QCOMPARE(r.alarm.shows, 0);
}

void TestShutdown::closerThatNeverReports() {
    Rig r;
    r.clockMs = 5000;
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    r.clockMs += ShutdownController::kCloserWaitMs - 1;
    r.shutdown.ShutdownWatch();
    QVERIFY(!r.log.contains("powerOff"));
    r.clockMs += 1;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("closer did not report"));
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log.count("powerOff"), 1);
    r.clockMs += ShutdownController::kCloserWaitMs;
    r.shutdown.ShutdownWatch(); // once only
    QCOMPARE(r.log.count("powerOff"), 1);
    QCOMPARE(r.shutDownKey(), QString("0"));
}

// A settings file that takes no write (a full or read-only folder) cannot hold the
// request: it is kept in memory, and the reason is said once.
void TestShutdown::requestThatCannotBeStored() {
    for (const char* save : {"0", "1"}) {
        Rig r;
        r.set("OSEvent", "Saveapllication", save);
        r.ports.closerStarts = false;
        r.shutdown.setFlagWriter([](int) { return false; });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot store the shutdown request"));
        QTest::failOnWarning(QRegularExpression("cannot store"));
        if (save[0] == '1')
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("closer could not be started"));
        r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
        QCOMPARE(r.shutDownKey(), QString("0"));
        r.shutdown.ShutdownWatch();
        QCOMPARE(r.log.count("powerOff"), 1);
        r.shutdown.ShutdownWatch();
        QCOMPARE(r.log.count("powerOff"), 1);
    }
}

// A "1" left from an earlier run that cannot be reset neither powers off while the closer
// saves nor again after the shutdown; the closer is still waited for, within the limit.
void TestShutdown::staleRequestThatCannotBeReset() {
    Rig r;
    r.set("Schema", "ShutDown", "1");
    r.shutdown.setFlagWriter([](int) { return false; });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot store the shutdown request"));
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    r.shutdown.ShutdownWatch();
    QVERIFY(!r.log.contains("powerOff"));
    r.clockMs += ShutdownController::kCloserWaitMs;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("closer did not report"));
    r.shutdown.ShutdownWatch();
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log.count("powerOff"), 1);
}

void TestShutdown::dryRunPowerOffLine() {
    if (qEnvironmentVariableIsSet("DRY_RUN_CHILD")) {
        brightlock::DryRunPowerOff().powerOff();
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DRY_RUN_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"dryRunPowerOffLine"});
    QVERIFY(child.waitForFinished());
    QVERIFY(child.readAllStandardError().contains("dry run: power-off requested\n"));
}

void TestShutdown::dryRunSwitchesOffOnlyTheSimulatedUps() {
    struct Case {
        const char* port;
        bool simulated;
        QStringList link; // what reaches the UPS
        bool line;        // "dry run: UPS switch-off requested"
    };
    const Case cases[] = {
        {"0", false, {}, true},
        {"0", true, {"CmdOutput 2", "CmdOutput 2", "CmdOutput 2"}, false},
        {"2", false, {}, true},
    };
    for (const Case& c : cases) {
        Rig r;
        r.power.rehearsal = true;
        r.psu.simulatedUps = c.simulated;
        r.set("Mscomm", "ComboPort", c.port);
        r.monitor.Form_Load();
        r.set("Schema", "ShutDown", "1");
        r.log.clear();
        StderrCapture err;
        r.shutdown.ShutdownWatch();
        QCOMPARE(r.log, c.link + QStringList{"powerOff"});
        QVERIFY(!r.serial.dtr);
        QCOMPARE(err.text().count("dry run: UPS switch-off requested\n"), c.line ? 1 : 0);
    }
}

QTEST_GUILESS_MAIN(TestShutdown)
#include "shutdown_test.moc"
