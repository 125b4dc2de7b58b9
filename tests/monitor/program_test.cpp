// The Brightlock program as a user starts it: its command line, the single-instance
// rule between two real processes (the save list imports at the first start only), and an
// orderly end on SIGTERM.
#include "single_instance.h"

#include "ini.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

QString dist(const QString& file) {
    return qEnvironmentVariable("BRIGHTLOCK_DIST") + "/" + file;
}

struct Sandbox {
    QTemporaryDir home, runtime;
    QProcessEnvironment env() const {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("BRIGHTLOCK_HOME", home.path());
        e.insert("XDG_RUNTIME_DIR", runtime.path());
        e.insert("PSU_DRIVER", "sim");
        e.insert("PSU_SIM_STATE", home.filePath("sim.state"));
        e.insert("QT_QPA_PLATFORM", "offscreen");
        // The closer a dry-run shutdown starts must not reach the desktop the tests run on.
        e.remove("DISPLAY");
        e.remove("WAYLAND_DISPLAY");
        // Nor may its final step ask the machine's own logind anything.
        e.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket");
        e.insert("QT_LOGGING_RULES", "brightlock.*.info=true");
        return e;
    }
};

bool waitForOutput(QProcess& p, const QByteArray& text, QByteArray& seen, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        p.waitForReadyRead(100);
        seen += p.readAllStandardError();
        if (seen.contains(text))
            return true;
        if (p.state() == QProcess::NotRunning)
            return false;
    }
    return false;
}

// Column 2 of a table's rows in the order they were written.
QStringList texts(const QString& file, const QString& table) {
    QStringList texts;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q("select * from " + table + " order by rowid", db);
            while (q.next())
                texts << q.value(2).toString();
        }
    }
    QSqlDatabase::removeDatabase("check");
    return texts;
}

QStringList logTexts(const QString& dir) {
    return texts(dir + "/EventRecord.mdb", "record");
}

QStringList closedApps(const QString& dir) {
    return texts(dir + "/CloseAppRecord.mdb", "CloseApp");
}

// What the closer leaves after saving two windows and closing a third unsaved.
void leaveCloserList(const Sandbox& box) {
    const QString settings = box.home.filePath("UpsConfigure.ini");
    WriteIni(settings, "Schema", "CloseAppFlag", "1");
    WriteIni(settings, "Schema", "SaveList", "1");
    QFile list(box.home.filePath("CloseApp.ini"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("[CloseApp]\n1=Report.odt - Writer\n2=Notes - Editor\n3=Terminal\nCount=3\n"
               "[Date]\n1=2024-05-01\n2=2024-05-01\n[Time]\n1=08:00:00\n2=08:00:02\n"
               "[SaveAppFileName]\n1=/home/u/Save/SaveClose17\n2=/home/u/Save/SaveClose4821\n");
}

QString upssim(const Sandbox& box, const QString& command) {
    QProcess p;
    p.setProcessEnvironment(box.env());
    p.start(dist("upssim"), {command});
    p.waitForFinished();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void helpAndVersion();
    void lockBetweenObjects();
    void secondInstanceGivesWay();
    void dryRunShutdownOnBattery();
};

void TestProgram::helpAndVersion() {
    QProcess p;
    p.start(dist("Brightlock"), {"--help"});
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().contains("--dry-run"));

    p.start(dist("Brightlock"), {"--version"});
    QVERIFY(p.waitForFinished());
    QVERIFY(p.readAllStandardOutput().startsWith("Brightlock "));

    p.start(dist("Brightlock"), {"--bogus"});
    QVERIFY(p.waitForFinished());
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("unknown option"));
}

void TestProgram::lockBetweenObjects() {
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString scope = brightlock::instanceScope("/some/app/dir");
    QVERIFY(scope != brightlock::instanceScope("/other/app/dir"));

    auto first = std::make_unique<brightlock::SingleInstance>(scope);
    QVERIFY(first->acquire());
    QSignalSpy notices(first.get(), &brightlock::SingleInstance::anotherInstanceStarted);
    brightlock::SingleInstance second(scope);
    QVERIFY(!second.acquire());
    second.notifyRunning();
    QTRY_COMPARE(notices.count(), 1);

    first.reset(); // the lock goes with its holder
    brightlock::SingleInstance third(scope);
    QVERIFY(third.acquire());
}

// The first instance is started as "nohup" would (SIGHUP and SIGINT ignored): the
// terminal closing does not end it, and it still holds its place for the second.
void TestProgram::secondInstanceGivesWay() {
    Sandbox box;
    const QString settings = box.home.filePath("UpsConfigure.ini");
    leaveCloserList(box);
    QProcess first;
    first.setProcessEnvironment(box.env());
    first.start("/bin/sh", {"-c", "trap '' HUP INT; exec \"$0\"", dist("Brightlock")});
    QByteArray firstErr;
    QVERIFY2(waitForOutput(first, "monitor started", firstErr, 15000), firstErr.constData());
    ::kill(pid_t(first.processId()), SIGHUP);
    ::kill(pid_t(first.processId()), SIGINT);
    // The save list of the start imported the closer's list once.
    QCOMPARE(closedApps(box.home.path()), (QStringList{"Report.odt - Writer", "Notes - Editor"}));
    QCOMPARE(ReadIni(settings, "Schema", "CloseAppFlag", ""), QString("0"));

    WriteIni(settings, "Schema", "CloseAppFlag", "1"); // the second instance must not import
    QProcess second;
    second.setProcessEnvironment(box.env());
    second.start(dist("Brightlock"));
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitCode(), 0);
    const QByteArray secondErr = second.readAllStandardError();
    QVERIFY2(secondErr.contains("gives way"), secondErr.constData());
    QVERIFY(!secondErr.contains("monitor started"));
    QCOMPARE(ReadIni(settings, "Schema", "CloseAppFlag", ""), QString("1"));
    QCOMPARE(closedApps(box.home.path()).size(), 2);
    QVERIFY(waitForOutput(first, "another instance started", firstErr, 5000));
    QCOMPARE(first.state(), QProcess::Running); // the running one goes on

    ::kill(pid_t(first.processId()), SIGTERM);
    QVERIFY(first.waitForFinished(10000));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    // One start (the second instance recorded nothing) and the quit of the exit steps.
    QCOMPARE(logTexts(box.home.path()), (QStringList{"Program start", "Program quit"}));
}

// The whole hand-over between the monitor and the closer, with the application folder
// given relative to the folder the monitor starts in: the closer, started elsewhere,
// must still write its flags where the monitor reads them.
void TestProgram::dryRunShutdownOnBattery() {
    Sandbox box;
    upssim(box, "online");
    QProcess monitor;
    QProcessEnvironment env = box.env();
    const QFileInfo home(box.home.path());
    env.insert("BRIGHTLOCK_HOME", "./" + home.fileName());
    monitor.setProcessEnvironment(env);
    monitor.setWorkingDirectory(home.path());
    monitor.start(dist("Brightlock"), {"--dry-run"});
    QByteArray err;
    QVERIFY2(waitForOutput(monitor, "monitor started", err, 15000), err.constData());
    const QString settings = box.home.filePath("UpsConfigure.ini");
    WriteIni(settings, "UpsOnBattery", "Delaytime", "0"); // the alarm at the first countdown tick
    upssim(box, "onbatt");

    // Poll, countdown, the alarm's bar, the closer's hand-back, then the switch-off.
    QVERIFY2(waitForOutput(monitor, "dry run: power-off requested", err, 60000), err.constData());
    // The UPS is told after the power-off was accepted.
    QTRY_VERIFY(upssim(box, "status").contains("switched off: yes (3 times)"));
    QCOMPARE(ReadIni(settings, "Schema", "ShutDown", ""), QString("0"));
    QCOMPARE(ReadIni(settings, "Schema", "Close", ""), QString("0"));
    QCOMPARE(monitor.state(), QProcess::Running); // a dry run changes nothing else
    monitor.terminate();
    QVERIFY(monitor.waitForFinished(10000));
    QCOMPARE(logTexts(box.home.path()),
             (QStringList{"Program start", "Attention!! System Power Failed", "Program quit"}));
}

QTEST_GUILESS_MAIN(TestProgram)
#include "program_test.moc"
