// QueryUps against a stand-in library (flag rules and malformed replies), the loading of
// libPSU.so, and the real libPSU.so with its simulated UPS driven by upssim.
#include "ini.h"
#include "monitor.h"
#include "monitor/core/psu_library.h"
#include "support/fakes.h"
#include "support/temp_home.h"
#include "ups_link.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using brightlock::UpsLink;

namespace {

QByteArray reply(std::initializer_list<std::pair<int, char>> bytes) {
    QByteArray r(50, '\0');
    for (auto [pos, value] : bytes)
        r[pos] = value;
    return r;
}

// A library that writes past the contract's buffer sizes (a terminating NUL and more).
struct SloppyPsu : fakes::Psu {
    using fakes::Psu::Psu;
    void CmdOutput(int32_t, int32_t, char* echo) override { std::memcpy(echo, "T1\0\0", 4); }
    void CmdInput(char* r, char* aux) override {
        std::memset(r, 0, 54);
        r[0] = 'T';
        r[2] = 1;
        std::memset(aux, 'x', 8);
    }
};

QString dist(const QString& file) {
    return qEnvironmentVariable("BRIGHTLOCK_DIST") + "/" + file;
}

} // namespace

class TestUpsLink : public QObject {
    Q_OBJECT
private slots:
    void flagRules_data();
    void flagRules();
    void otherCommandsAndSwitchOff();
    void oversizedWritesStayInside();
    void missingLibraryIsToldOnce();
    void incompleteLibraryCountsAsSilent();
    void libraryInstalledLaterIsTakenUp();
    void realLibraryWithSimulatedUps();
    void batteryReadingFromTheSimulatedUps();
};

void TestUpsLink::flagRules_data() {
    QTest::addColumn<QByteArray>("echo");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("replyOk");
    QTest::addColumn<bool>("onBatt");
    QTest::addColumn<bool>("lowBatt");
    // Every row starts from UpsReplyOk false, UpsOnBatt false, UpsLowBatt true.
    QTest::newRow("on line") << QByteArray("T1") << reply({{0, 'T'}, {2, 1}, {3, 0}}) << true << false
                             << false;
    QTest::newRow("T then zeros: on battery, battery normal")
        << QByteArray("T1") << reply({{0, 'T'}}) << true << true << false;
    QTest::newRow("byte 4 = 7 leaves low battery")
        << QByteArray("T1") << reply({{0, 'T'}, {2, 1}, {3, 7}}) << true << false << true;
    QTest::newRow("byte 3 = 9 leaves on battery")
        << QByteArray("T1") << reply({{0, 'T'}, {2, 9}, {3, 0}}) << true << false << false;
    QTest::newRow("T anywhere in the reply")
        << QByteArray("T1") << reply({{49, 'T'}, {2, 0}, {3, 1}}) << true << true << true;
    QTest::newRow("lower-case t is not T")
        << QByteArray("T1") << reply({{0, 't'}, {2, 0}, {3, 0}}) << false << false << true;
    QTest::newRow("echo t1 is a failure") << QByteArray("t1") << reply({{0, 'T'}}) << false << false << true;
    QTest::newRow("echo T alone is a failure")
        << QByteArray("T\0", 2) << reply({{0, 'T'}}) << false << false << true;
    QTest::newRow("untouched echo is a failure")
        << QByteArray("\0\0", 2) << reply({{0, 'T'}}) << false << false << true;
}

void TestUpsLink::flagRules() {
    QFETCH(QByteArray, echo);
    QFETCH(QByteArray, reply);
    fakes::CallLog log;
    fakes::Psu psu(log);
    psu.echoOverride = echo;
    psu.replyOverride = reply;
    UpsLink link(psu);
    link.flags().UpsLowBatt = true;
    link.QueryUps(1);
    QTEST(link.flags().UpsReplyOk, "replyOk");
    QTEST(link.flags().UpsOnBatt, "onBatt");
    QTEST(link.flags().UpsLowBatt, "lowBatt");
    // The reply is read only after a "T1" echo.
    QCOMPARE(log.contains("CmdInput"), echo == "T1");
}

void TestUpsLink::otherCommandsAndSwitchOff() {
    fakes::CallLog log;
    fakes::Psu psu(log);
    UpsLink link(psu);
    link.flags() = {true, true, true, true};

    psu.echoOverride = "S1"; // "S1" after a status query: nothing changes, not even the answer flag
    link.QueryUps(1);
    QVERIFY(link.flags().UpsReplyOk && link.flags().UpsOnBatt && link.flags().UpsLowBatt);

    psu.echoOverride = QByteArray();
    link.QueryUps(2); // the switch-off command is sent and nothing is read
    QCOMPARE(psu.switchOffCommands, 1);
    QVERIFY(link.flags().UpsReplyOk);
    QCOMPARE(log.count("CmdInput"), 0);

    log.clear();
    link.QueryUps(3); // unknown command: nothing is called, and the UPS counts as silent
    QVERIFY(log.isEmpty());
    QVERIFY(!link.flags().UpsReplyOk);
    QVERIFY(link.flags().UpsOnBatt && link.flags().UpsLowBatt);
}

void TestUpsLink::oversizedWritesStayInside() {
    fakes::CallLog log;
    SloppyPsu psu(log);
    UpsLink link(psu);
    link.QueryUps(1);
    QVERIFY(link.flags().UpsReplyOk);
    QVERIFY(!link.flags().UpsOnBatt);
}

void TestUpsLink::missingLibraryIsToldOnce() {
    brightlock::PsuLibrary lib("libPSU-that-does-not-exist.so");
    int told = 0;
    QString message;
    lib.onLoadFailure = [&](const QString& m) {
        ++told;
        message = m;
    };
    UpsLink link(lib);
    for (int poll = 0; poll < 5; ++poll) {
        lib.CloseHandleDevice();
        lib.HidHandle();
        link.QueryUps(1);
        QVERIFY(!link.flags().UpsReplyOk);
    }
    QCOMPARE(told, 1);
    QVERIFY(message.contains("libPSU-that-does-not-exist.so"));
}

void TestUpsLink::incompleteLibraryCountsAsSilent() {
    brightlock::PsuLibrary lib(
        QFile::encodeName(QCoreApplication::applicationDirPath() + "/libpsu_incomplete.so"));
    QString message;
    lib.onLoadFailure = [&](const QString& m) { message = m; };
    UpsLink link(lib);
    lib.HidHandle();
    link.QueryUps(1);
    QVERIFY(!link.flags().UpsReplyOk);
    QVERIFY2(message.contains("CmdOutput"), qPrintable(message));
}

// The message promises that a library installed later is found: it is, at the next
// reconnect. Closing never loads it, so a serial link never asks for it.
void TestUpsLink::libraryInstalledLaterIsTakenUp() {
    QTemporaryDir dir;
    qputenv("BRIGHTLOCK_HOME", dir.path().toLocal8Bit());
    qputenv("PSU_SIM_STATE", dir.filePath("sim.state").toLocal8Bit());
    qputenv("PSU_DRIVER", "sim");
    const QString path = dir.filePath("libPSU.so");
    brightlock::PsuLibrary lib(QFile::encodeName(path));
    int told = 0;
    lib.onLoadFailure = [&](const QString&) { ++told; };
    lib.CloseHandleDevice();
    QCOMPARE(told, 0);

    UpsLink link(lib);
    lib.HidHandle();
    link.QueryUps(1);
    QVERIFY(!link.flags().UpsReplyOk);
    QCOMPARE(told, 1);
    QVERIFY(QFile::copy(dist("libPSU.so"), path));
    lib.CloseHandleDevice();
    lib.HidHandle();
    link.QueryUps(1);
    QVERIFY(link.flags().UpsReplyOk);
    QCOMPARE(told, 1);
    qunsetenv("PSU_DRIVER");
    qunsetenv("PSU_SIM_STATE");
    qunsetenv("BRIGHTLOCK_HOME");
}

void TestUpsLink::realLibraryWithSimulatedUps() {
    QTemporaryDir dir;
    qputenv("BRIGHTLOCK_HOME", dir.path().toLocal8Bit());
    qputenv("PSU_SIM_STATE", dir.filePath("sim.state").toLocal8Bit());
    auto upssim = [](const QString& cmd) {
        QProcess p;
        p.start(dist("upssim"), {cmd});
        p.waitForFinished();
        return QString::fromLocal8Bit(p.readAllStandardOutput());
    };

    brightlock::PsuLibrary lib; // by name: found beside the programs through the RUNPATH
    UpsLink link(lib);
    auto poll = [&] {
        if (!link.flags().UpsReplyOk) {
            lib.CloseHandleDevice();
            lib.HidHandle();
        }
        link.QueryUps(1);
    };

    qunsetenv("PSU_DRIVER"); // no driver chosen and no settings file: no answer
    poll();
    QVERIFY(lib.errorText().isEmpty());
    QVERIFY(!link.flags().UpsReplyOk);
    QVERIFY(!lib.simulated());

    qputenv("PSU_DRIVER", "sim");
    upssim("online");
    poll();
    QVERIFY(link.flags().UpsReplyOk);
    QVERIFY(!link.flags().UpsOnBatt);
    QVERIFY(!link.flags().UpsLowBatt);

    upssim("onbatt");
    poll();
    QVERIFY(link.flags().UpsOnBatt);
    QVERIFY(!link.flags().UpsLowBatt);

    upssim("lowbatt");
    poll();
    QVERIFY(link.flags().UpsOnBatt);
    QVERIFY(link.flags().UpsLowBatt);

    // The simulated UPS still counts the commands of a rehearsal (libPSU.so refuses them
    // towards every real one).
    QVERIFY(lib.simulated());
    qputenv("PSU_DRY_RUN", "1");
    for (int i = 0; i < 3; ++i)
        link.QueryUps(2);
    qunsetenv("PSU_DRY_RUN");
    QVERIFY(upssim("status").contains("switched off: yes (3 times)"));

    upssim("silent");
    poll();
    QVERIFY(!link.flags().UpsReplyOk);
    QVERIFY(link.flags().UpsLowBatt); // kept from the last answer
    link.QueryUps(2);
    QVERIFY(upssim("status").contains("(3 times)")); // a silent UPS takes no command

    upssim("online");
    poll(); // re-opened, answers again
    QVERIFY(link.flags().UpsReplyOk);
    QVERIFY(!link.flags().UpsOnBatt);

    // The driver named in the library's own settings file, with a comment after it.
    qunsetenv("PSU_DRIVER");
    WriteIni(dir.filePath("PSU.ini"), "PSU", "Driver", "sim   ; the simulated UPS");
    lib.CloseHandleDevice();
    lib.HidHandle();
    link.QueryUps(1);
    QVERIFY(link.flags().UpsReplyOk);

    qunsetenv("PSU_SIM_STATE");
    qunsetenv("BRIGHTLOCK_HOME");
}

// The charge and runtime that upssim sets reach the Status area and the tray tip through
// the real library; a UPS that does not report them, a silent one and the serial link show
// nothing.
void TestUpsLink::batteryReadingFromTheSimulatedUps() {
    TempHome home;
    qputenv("PSU_DRIVER", "sim");
    auto upssim = [](const QStringList& args) {
        QProcess p;
        p.start(dist("upssim"), args);
        QVERIFY(p.waitForFinished() && p.exitCode() == 0);
    };
    fakes::CallLog log;
    fakes::Serial serial(log);
    fakes::Tray tray(log);
    fakes::Recorder records(log);
    fakes::Alarm alarm(log);
    fakes::Form form(log);
    fakes::Notices notices;
    brightlock::PsuLibrary lib;
    brightlock::Monitor monitor({lib, serial, records, tray, alarm, form, notices});
    const brightlock::StatusArea& area = monitor.statusArea();

    upssim({"onbatt", "--charge", "64", "--runtime", "750"});
    monitor.Form_Load();
    monitor.Timer1Tick();
    QCOMPARE(area.LblMessage, QString("UPS is on Battery"));
    QCOMPARE(area.batteryCharge, QString("64 %"));
    QCOMPARE(area.batteryRuntime, QString("12 min"));
    QCOMPARE(tray.tip, QString("UPS is on battery \u2014 64 %, 12 min, shutdown in 5 min"));

    upssim({"--charge", "63", "--runtime", "59"});
    monitor.Timer1Tick(); // the same state: the tip changes where it stands
    // Under the 3 min of the battery level: its minute of countdown comes sooner.
    QCOMPARE(tray.tip, QString("UPS is on battery \u2014 63 %, < 1 min, shutdown in 1 min"));
    QCOMPARE(records.rows.last(), QString("ups:Attention!! UPS Battery Level Critical"));
    QCOMPARE(log.filter(QRegularExpression("^tray ")).size(), 2); // start-up, then on battery

    upssim({"--runtime", "none"});
    monitor.Timer1Tick();
    QCOMPARE(area.batteryRuntime, QString());
    QCOMPARE(tray.tip, QString("UPS is on battery \u2014 63 %, shutdown in 1 min"));

    upssim({"--charge", "none"});
    monitor.Timer1Tick();
    QCOMPARE(area.batteryCharge, QString());
    QCOMPARE(tray.tip, QString("UPS is on battery \u2014 shutdown in 1 min"));

    upssim({"online", "--charge", "100", "--runtime", "1800"});
    monitor.Timer1Tick();
    QCOMPARE(tray.tip, QString("Brightlock \u2014 100 %, 30 min"));
    upssim({"silent"});
    monitor.Timer1Tick();
    QVERIFY(area.batteryCharge.isEmpty() && area.batteryRuntime.isEmpty());
    QCOMPARE(tray.tip, QString("Brightlock \u2014 not protected: the UPS does not answer"));

    upssim({"online"});
    home.set("Mscomm", "ComboPort", "1"); // the serial link has no reading, whatever the library says
    monitor.Timer1Tick();
    QVERIFY(area.batteryCharge.isEmpty());
    QCOMPARE(tray.tip, QString("Wrenfield System")); // and leaves the greyed picture for its idle one
    QCOMPARE(tray.picture, brightlock::TrayPicture::ImaMain);
    qunsetenv("PSU_DRIVER");
}

QTEST_GUILESS_MAIN(TestUpsLink)
#include "ups_link_test.moc"
