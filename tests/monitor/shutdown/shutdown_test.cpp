// The shutdown path: the confirmation dialog's requests, StartShutdown with and without
// the closer, the shutdown watch on each link, and the dry-run power-off.
#include "closer_process.h"
#include "question_modes.h"
#include "shutdown_controller.h"
#include "support/monitor_rig.h"
#include "support/stderr_capture.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using brightlock::ShutdownController;
using brightlock::Store;

namespace {

struct Ports : brightlock::ShutdownPorts, brightlock::QuestionPorts {
    fakes::CallLog& log;
    ShutdownController* shutdown = nullptr;
    bool closerStarts = true;
    std::function<bool()> onStart; // a real closer process, when set
    explicit Ports(fakes::CallLog& l) : log(l) {}
    void showQuestion() override { log << "showQuestion"; }
    void startShutdown() override { shutdown->StartShutdown(ShutdownController::Asker::Question); }
    void unloadQuestion() override { log << "unloadQuestion"; }
    void hideMainWindow() override { log << "hideMainWindow"; }
    void hideAlarm() override { log << "hideAlarm"; }
    bool startCloser() override {
        log << "startCloser";
        return onStart ? onStart() : closerStarts;
    }
    void clearStore(Store s) override { log << QStringLiteral("clear %1").arg(int(s)); }
};

// Takes or refuses each request at once, as told.
struct PowerOff : brightlock::PowerOff {
    fakes::CallLog& log;
    bool rehearsal = false;
    bool accepts = true;
    bool hibernateAccepted = true;
    bool hibernatePossible = false;
    explicit PowerOff(fakes::CallLog& l) : log(l) {}
    void request(brightlock::FinalAction action, Done done) override {
        const bool hibernate = action == brightlock::FinalAction::Hibernate;
        log << (hibernate ? "hibernate" : "powerOff");
        const bool ok = hibernate ? hibernateAccepted : accepts;
        done({ok, ok ? QStringLiteral("fake") : QString(),
              ok ? QString() : QStringLiteral("refused by the fake")});
    }
    void canHibernate(Answer answer) override {
        log << "canHibernate";
        answer({hibernatePossible, hibernatePossible ? QString() : QStringLiteral("the fake says no")});
    }
    bool dryRun() const override { return rehearsal; }
};

struct Rig : MonitorRig {
    Ports ports{log};
    PowerOff power{log};
    ShutdownController shutdown{monitor, power, ports};
    brightlock::QuestionModes questions{ports};
    qint64 clockMs = 0;
    Rig() {
        ports.shutdown = &shutdown;
        shutdown.setCloserReach([] { return QString(); });
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
    void closerThatEndsIsNotWaitedFor();
    void closerStandInThatCrashesOrExitsSilently();
    void refusedPowerOffLeavesTheUpsOnAndStaysArmed();
    void rehearsalArmsAgain();
    void hibernation();
    void desktopTheCloserCannotDrive();
};

void TestShutdown::dialogRequests() {
    Rig r;
    r.questions.CmdShutdownClick();
    r.questions.CmdShutdownClick(); // the same dialog shown again
    QVERIFY(r.questions.flags().AskShutdown);
    QCOMPARE(r.log, (QStringList{"showQuestion", "showQuestion"}));
    QCOMPARE(r.questions.questionText(), QString("Are you sure shutdown system and ups ?"));
}

void TestShutdown::noResetsEveryRequest() {
    Rig r;
    r.questions.CmdShutdownClick();
    r.questions.askClear(Store::Ups);
    r.questions.No();
    const auto& d = r.questions.flags();
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
    const auto& d = r.questions.flags();
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
    QCOMPARE(r.log, (QStringList{"powerOff", "CmdOutput 2", "CmdOutput 2", "CmdOutput 2"}));
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
    QCOMPARE(r.log, (QStringList{"powerOff", "DTR 1"}));
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
    QVERIFY(!r.monitor.countdownTimer().isActive());
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
        brightlock::DryRunPowerOff().request(brightlock::FinalAction::PowerOff, [](const auto&) {});
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
        QCOMPARE(r.log, QStringList{"powerOff"} + c.link);
        QVERIFY(!r.serial.dtr);
        QCOMPARE(err.text().count("dry run: UPS switch-off requested\n"), c.line ? 1 : 0);
    }
}

// A closer that ends, whatever it left in the settings file (nothing, when the folder takes
// no write), hands the shutdown over at once: no clock runs past the start.
void TestShutdown::closerThatEndsIsNotWaitedFor() {
    struct Case {
        int exitCode;
        bool crashed;
        bool storeWorks;
    };
    for (const Case c : {Case{0, false, true}, Case{1, false, true}, Case{0, true, true},
                         Case{0, false, false}, Case{0, true, false}}) {
        Rig r;
        if (!c.storeWorks)
            r.shutdown.setFlagWriter([](int) { return false; });
        r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
        r.shutdown.ShutdownWatch();
        QVERIFY(!r.log.contains("powerOff"));
        r.shutdown.closerEnded(c.exitCode, c.crashed);
        QCOMPARE(r.log.count("powerOff"), 1);
        r.shutdown.ShutdownWatch();
        QCOMPARE(r.log.count("powerOff"), 1);
    }
}

// The real process path: a stand-in closer that crashes, exits without handing over, or is
// stopped (given up after CloserProcess::kStoppedMs).
void TestShutdown::closerStandInThatCrashesOrExitsSilently() {
    QTemporaryDir dir;
    for (const QByteArray& body :
         {QByteArray("kill -SEGV $$\n"), QByteArray("exit 0\n"), QByteArray("kill -STOP $$\n")}) {
        const QString path = dir.filePath("close");
        QFile::remove(path);
        QFile script(path);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + body);
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        Rig r;
        brightlock::CloserProcess closer(path);
        QObject::connect(&closer, &brightlock::CloserProcess::ended, &r.shutdown,
                         &ShutdownController::closerEnded);
        QSignalSpy ended(&closer, &brightlock::CloserProcess::ended);
        r.ports.onStart = [&closer] { return closer.start(); };
        r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
        QVERIFY(ended.wait(brightlock::CloserProcess::kStoppedMs * 3));
        QCOMPARE(r.log.count("powerOff"), 1);
        QCOMPARE(r.shutDownKey(), QString("0"));
        if (closer.running())
            ::kill(pid_t(closer.processId()), SIGKILL); // the stopped one
    }
}

// The UPS is switched off only after the power-off was accepted; when everything refuses,
// the user is told, a record says why, the UPS stays on, and the next power failure acts
// again: its countdown runs out into the alarm window.
void TestShutdown::refusedPowerOffLeavesTheUpsOnAndStaysArmed() {
    Rig r;
    r.monitor.Form_Load();
    r.set("OSEvent", "Saveapllication", "0");
    r.set("UpsOnBattery", "Delaytime", "0.05"); // 3 s
    r.power.accepts = false;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("power-off was refused"));
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    r.log.clear();
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log.filter(QRegularExpression("powerOff|CmdOutput 2|DTR")), QStringList{"powerOff"});
    QCOMPARE(r.psu.switchOffCommands, 0);
    QVERIFY(r.records.rows.contains("log:Attention!! System Shutdown Refused: refused by the fake"));
    QVERIFY(std::any_of(r.notices.sent.begin(), r.notices.sent.end(), [](const auto& n) {
        return n.urgency == brightlock::NoticeUrgency::Critical && n.body.contains("refused by the fake");
    }));
    QVERIFY(!r.monitor.state().ShuttingDown);
    QVERIFY(!r.shutdown.Timer3.isActive());

    r.psu.acPresent = false; // the next power failure
    r.monitor.Timer1Tick();
    for (int i = 0; i < 3; ++i)
        r.monitor.TimerSubTick();
    QCOMPARE(r.alarm.shows, 1);
    r.power.accepts = true;
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    r.log.clear();
    r.shutdown.ShutdownWatch();
    QCOMPARE(r.log, (QStringList{"powerOff", "CmdOutput 2", "CmdOutput 2", "CmdOutput 2"}));
}

// A rehearsal's power-off line ends the shutdown: a second one in the same session starts
// the closer again.
void TestShutdown::rehearsalArmsAgain() {
    Rig r;
    r.power.rehearsal = true;
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    r.shutdown.closerEnded(0, false);
    QCOMPARE(r.log.count("powerOff"), 1);
    QVERIFY(!r.monitor.state().ShuttingDown);
    r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
    QCOMPARE(r.log.count("startCloser"), 2);
    r.shutdown.closerEnded(0, false);
    QCOMPARE(r.log.count("powerOff"), 2);
}

// With Hibernate set: hibernation when logind allows it, with no closer and the UPS switched
// off after it was accepted; else the closer and the power-off as without it, the reason
// recorded once. A refused hibernation falls back to the closer.
void TestShutdown::hibernation() {
    {
        Rig r;
        r.set("OSEvent", "Hibernate", "1");
        r.power.hibernatePossible = true;
        r.monitor.Form_Load(); // the USB link in force
        r.log.clear();
        r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
        QCOMPARE(r.log, (QStringList{"hideMainWindow", "hideAlarm", "canHibernate", "hibernate",
                                     "CmdOutput 2", "CmdOutput 2", "CmdOutput 2"}));
    }
    for (int round = 0; round < 2; ++round) {
        Rig r;
        r.set("OSEvent", "Hibernate", "1");
        r.power.hibernatePossible = round == 0;
        r.power.hibernateAccepted = false;
        r.power.rehearsal = true;
        for (int shutdown = 0; shutdown < 2; ++shutdown) {
            r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
            QVERIFY(r.log.endsWith("startCloser"));
            QCOMPARE(r.psu.switchOffCommands, 0);
            r.shutdown.closerEnded(0, false);
            QVERIFY(r.log.endsWith("powerOff"));
        }
        QCOMPARE(r.records.rows.filter(QRegularExpression("^log:Hibernation")).size(), 1);
    }
}

// A desktop the closer cannot drive: hibernated when possible (with saving on, and without
// the Hibernate setting); otherwise the countdown's start tells the user to save now.
void TestShutdown::desktopTheCloserCannotDrive() {
    for (const bool possible : {true, false}) {
        Rig r;
        r.shutdown.setCloserReach([] { return QStringLiteral("there is no X display"); });
        r.power.hibernatePossible = possible;
        r.monitor.Form_Load();
        r.set("UpsOnBattery", "Delaytime", "5");
        r.psu.acPresent = false;
        r.monitor.Timer1Tick();
        const auto saveNow = std::count_if(r.notices.sent.begin(), r.notices.sent.end(), [](const auto& n) {
            return n.urgency == brightlock::NoticeUrgency::Critical && n.summary == "Save your work now" &&
                   n.body.contains("in 5 minutes") && n.body.contains("there is no X display");
        });
        QCOMPARE(saveNow, possible ? 0 : 1);
        r.log.clear();
        r.shutdown.StartShutdown(ShutdownController::Asker::Alarm);
        QCOMPARE(r.log.contains("hibernate"), possible);
        QCOMPARE(r.log.contains("startCloser"), !possible);
    }
}

QTEST_GUILESS_MAIN(TestShutdown)
#include "shutdown_test.moc"
