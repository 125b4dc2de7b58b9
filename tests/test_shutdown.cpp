// The shutdown path: the confirmation dialog's requests, StartShutdown with and without
// the closer, the shutdown watch on each link, and the dry-run power-off.
#include "monitor_rig.h"
#include "question_modes.h"
#include "shutdown_controller.h"
#include "stderr_capture.h"

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
    Rig() { ports.shutdown = &shutdown; }
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
    QCOMPARE(r.log,
             (QStringList{"hideMainWindow", "unloadQuestion", "clear 0", "clear 2", "unloadQuestion"}));
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
#include "test_shutdown.moc"
