// The nut driver through the real libPSU.so against a real upsd with the dummy-ups driver
// (on line, on battery, battery low, forced shutdown, driver stopped, server stopped),
// the switch-off command and its credentials, a silent server, and the mapping rules.
#include "nut/nut_config.h"
#include "nut/nut_status.h"
#include "psu/library_under_test.h"
#include "psu/nut/fake_upsd.h"
#include "psu/nut/nut_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using psu::nut::parseAddress;

namespace {

bool sameStatus(const LibraryUnderTest::Reply& r, int ac, int low) {
    return r.answered() && r.acPresent() == ac && r.batteryLow() == low;
}

} // namespace

class TestNutDriver : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    std::unique_ptr<LibraryUnderTest> lib_;
    std::unique_ptr<NutServer> server_;

    void writeSettings(const QString& text, QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner) {
        const QString path = QDir(home_.path()).filePath("PSU.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
        f.close();
        QVERIFY(f.setPermissions(perms));
    }

    void useFake(const FakeUpsd& fake) {
        qputenv("PSU_NUT_UPS", QByteArray("myups@127.0.0.1:") + QByteArray::number(fake.port()));
    }

    void useRealServer() {
        if (server_)
            qputenv("PSU_NUT_UPS", server_->address().toLocal8Bit());
    }

    static int threadCount() {
        return int(QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    }

    void requireServer() {
        if (!server_)
            QSKIP("no NUT server in this run (see initTestCase)");
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("BRIGHTLOCK_HOME", home_.path().toLocal8Bit());
        qputenv("PSU_DRIVER", "nut");
        qunsetenv("PSU_HID_REPLAY");
        lib_ = std::make_unique<LibraryUnderTest>();
        QVERIFY2(lib_->loaded(), qPrintable(lib_->error()));
        if (const QString missing = NutServer::missingPrograms(); !missing.isEmpty()) {
            qWarning("Skipping the tests against a real upsd: %s", qPrintable(missing));
            return;
        }
        server_ = std::make_unique<NutServer>();
        QVERIFY2(server_->start("OL"), qPrintable(server_->error()));
        qputenv("PSU_NUT_UPS", server_->address().toLocal8Bit());
    }

    void cleanupTestCase() {
        lib_.reset();
        server_.reset();
    }

    void statusFromServer_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("ac");
        QTest::addColumn<int>("low");
        QTest::newRow("OL") << "OL" << 1 << 0;
        QTest::newRow("OB") << "OB DISCHRG" << 0 << 0;
        QTest::newRow("OB LB") << "OB LB" << 0 << 1;
        QTest::newRow("FSD") << "FSD" << 0 << 1;
        QTest::newRow("OL again") << "OL CHRG" << 1 << 0;
    }

    void statusFromServer() {
        requireServer();
        QFETCH(QString, status);
        QFETCH(int, ac);
        QFETCH(int, low);
        const int charge = ac ? 97 : 35;
        QVERIFY(server_->setStatus(status, charge, 420,
                                   ac ? "ups.load: 41.6\ninput.voltage: 230.4\n"
                                      : "ups.load: 55\ninput.voltage: 0\n"));
        const LibraryUnderTest::Reply r = lib_->pollUntil(
            [&](const LibraryUnderTest::Reply& r) { return sameStatus(r, ac, low) && r.charge() == charge; });
        QVERIFY2(sameStatus(r, ac, low), qPrintable("status " + status + ", echo " + r.echo.toHex()));
        QCOMPARE(r.charge(), charge);
        QCOMPARE(r.runtime(), 420u);
        QCOMPARE(r.reported(), 3);
        QCOMPARE(r.load(), ac ? 42 : 55);
        QCOMPARE(r.inputDeciVolts(), ac ? 2304 : 0);
        QCOMPARE(r.aux, QByteArray("nut\0\0\0", 6));
    }

    // A poll's reply that is much shorter than the one before (shorter values throughout)
    // is still read whole.
    void muchShorterReply() {
        requireServer();
        QVERIFY(server_->setStatus("OL CHRG BOOST", 97, 420, "ups.load: 41.6\ninput.voltage: 230.4\n"));
        QVERIFY(lib_->pollUntil(
                        [](const LibraryUnderTest::Reply& r) { return r.answered() && r.reported() == 3; })
                    .answered());
        QVERIFY(server_->setStatus("OB", 9, 5, "ups.load: 5\ninput.voltage: 0\n"));
        LibraryUnderTest::Reply r;
        for (int poll = 0; poll < 40 && !(r.answered() && r.charge() == 9); ++poll) {
            QThread::msleep(250);
            r = lib_->query(); // on the same connection: the last reply's size is known
            QVERIFY2(r.answered(), qPrintable(QString("poll %1").arg(poll)));
        }
        QVERIFY2(sameStatus(r, 0, 0), qPrintable(r.echo.toHex()));
        QCOMPARE(r.runtime(), 5u);
        QCOMPARE(r.load(), 5);
        QCOMPARE(r.inputDeciVolts(), 0);
    }

    // The dummy driver knows no shutdown.return: the server refuses, so no "S1".
    void switchOffRefusedByServer() {
        requireServer();
        writeSettings("[nut]\nUser=admin\nPassword=secret\n");
        QVERIFY(lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); }).answered());
        QVERIFY(!lib_->switchOff());
        QVERIFY(lib_->query().answered()); // the status connection is unharmed
    }

    void autoFallsBackToTheServer() {
        requireServer();
        QTemporaryDir noDevice; // a replay folder without a descriptor: no USB UPS
        qputenv("PSU_HID_REPLAY", noDevice.path().toLocal8Bit());
        qunsetenv("PSU_DRIVER");
        const LibraryUnderTest::Reply r =
            lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); });
        qputenv("PSU_DRIVER", "nut");
        qunsetenv("PSU_HID_REPLAY");
        QVERIFY(r.answered());
        QCOMPARE(r.aux, QByteArray("auto\0\0", 6));
    }

    void noAnswerWhileTheDriverIsStopped() {
        requireServer();
        QVERIFY(server_->setStatus("OL"));
        QVERIFY(
            lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return sameStatus(r, 1, 0); }).answered());
        server_->stopDriver();
        QVERIFY(!lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return !r.answered(); }).answered());
        QVERIFY2(server_->startDriver(), qPrintable(server_->error()));
        QVERIFY(
            lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return sameStatus(r, 1, 0); }).answered());
    }

    void noAnswerOnceTheServerIsStopped() {
        requireServer();
        QVERIFY(lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); }).answered());
        server_->stopServer();
        QVERIFY(!lib_->query().answered());
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 0);
        QVERIFY(!lib_->query().answered());
        QVERIFY(!lib_->switchOff());
        QVERIFY2(server_->startServer(), qPrintable(server_->error()));
        QVERIFY(lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); }).answered());
    }

    // Tls=require never falls back to clear text with a server that offers no TLS.
    void requiredTlsIsNotDropped() {
        requireServer();
        writeSettings("[nut]\nTls=require\n");
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 0);
        QVERIFY(!lib_->query().answered());
        writeSettings("[nut]\nTls=try\n");
        QVERIFY(lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); }).answered());
        QFile::remove(QDir(home_.path()).filePath("PSU.ini"));
    }

    // What the server receives for the switch-off: a login with the configured
    // credentials (quoted, so a password with blanks or quotes stays one argument), then
    // the command; "S1" because the server said OK.
    void switchOffAccepted() {
        FakeUpsd fake(FakeUpsd::Mode::Answering);
        QVERIFY(fake.port());
        qputenv("PSU_NUT_UPS", QByteArray("myups@127.0.0.1:") + QByteArray::number(fake.port()));
        writeSettings("[nut]\nUser=monuser\nPassword=pa ss\"word\n");
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        const LibraryUnderTest::Reply r = lib_->query();
        QVERIFY(r.answered());
        QCOMPARE(r.charge(), 0xFF); // battery.charge not supported
        QCOMPARE(r.runtime(), 0xFFFFFFFFu);
        QCOMPARE(r.reported(), 0); // nor ups.load, nor input.voltage
        QVERIFY(lib_->switchOff());
        const QStringList lines = fake.lines();
        const int login = int(lines.indexOf("USERNAME \"monuser\""));
        QVERIFY2(login >= 0, qPrintable(lines.join(" | ")));
        QCOMPARE(lines.value(login + 1), QString("PASSWORD \"pa ss\\\"word\""));
        QCOMPARE(lines.value(login + 2), QString("INSTCMD \"myups\" shutdown.return"));
    }

    // A rehearsal logs nothing in and sends no command to the server, yet answers "S1";
    // the same server takes the command for real.
    void rehearsalSendsNothing() {
        FakeUpsd fake(FakeUpsd::Mode::Answering);
        qputenv("PSU_NUT_UPS", QByteArray("myups@127.0.0.1:") + QByteArray::number(fake.port()));
        writeSettings("[nut]\nUser=monuser\nPassword=secret\n");
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(lib_->query().answered());
        {
            Rehearsal dryRun;
            QVERIFY(lib_->switchOff());
        }
        const QStringList before = fake.lines();
        QVERIFY2(!before.join('\n').contains("INSTCMD") && !before.join('\n').contains("USERNAME"),
                 qPrintable(before.join(" | ")));
        QVERIFY(lib_->switchOff());
        QVERIFY(fake.lines().join('\n').contains("INSTCMD \"myups\" shutdown.return"));
        if (server_)
            qputenv("PSU_NUT_UPS", server_->address().toLocal8Bit());
    }

    // A password in a file others can read is not used, and no login is attempted.
    void passwordFileMustBePrivate() {
        FakeUpsd fake(FakeUpsd::Mode::Answering);
        qputenv("PSU_NUT_UPS", QByteArray("myups@127.0.0.1:") + QByteArray::number(fake.port()));
        writeSettings("[nut]\nUser=monuser\nPassword=secret\n",
                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(!lib_->switchOff());
        for (const QString& line : fake.lines())
            QVERIFY2(!line.startsWith("USERNAME") && !line.startsWith("PASSWORD"), qPrintable(line));
        writeSettings("[nut]\nUser=monuser\n");
        QVERIFY(!lib_->switchOff()); // no password at all
    }

    // A server that takes the connection but never answers costs "no answer".
    void silentServer() {
        FakeUpsd fake(FakeUpsd::Mode::Silent);
        qputenv("PSU_NUT_UPS", QByteArray("myups@127.0.0.1:") + QByteArray::number(fake.port()));
        lib_->closeHandleDevice();
        lib_->hidHandle();
        QVERIFY(!lib_->query().answered());
        QVERIFY(!lib_->query().answered());
        if (server_)
            qputenv("PSU_NUT_UPS", server_->address().toLocal8Bit());
    }

    // A server that trickles its answers without end, polled as the monitor polls (after
    // a missed answer the link is closed and opened again): one late call and one
    // connection at a time, however many polls pass, not one more thread per poll.
    void tricklingServer() {
        FakeUpsd fake(FakeUpsd::Mode::Trickling);
        useFake(fake);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        const int threads = threadCount();
        for (int poll = 0; poll < 8; ++poll) {
            QVERIFY(!lib_->query().answered());
            lib_->closeHandleDevice();
            lib_->hidHandle();
        }
        QVERIFY2(threadCount() <= threads + 1,
                 qPrintable(QString("%1 threads, %2 before").arg(threadCount()).arg(threads)));
        QVERIFY2(fake.mostConnections() <= 2, qPrintable(QString::number(fake.mostConnections())));
        lib_->closeHandleDevice();
        useRealServer();
    }

    // A server that hangs up after every status: every poll still gets its answer.
    void serverHangingUpAfterEachStatus() {
        FakeUpsd fake(FakeUpsd::Mode::HangingUp);
        useFake(fake);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        for (int poll = 0; poll < 4; ++poll)
            QVERIFY2(lib_->query().answered(), qPrintable(QString("poll %1").arg(poll)));
        lib_->closeHandleDevice();
        useRealServer();
    }

    void upsStatusMapping_data() {
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("ac"); // -1: no answer
        QTest::addColumn<int>("low");
        QTest::newRow("on line charging") << "OL CHRG" << 1 << 0;
        QTest::newRow("on battery") << "OB DISCHRG" << 0 << 0;
        QTest::newRow("low battery") << "OB LB" << 0 << 1;
        QTest::newRow("low on line") << "OL LB" << 1 << 1;
        QTest::newRow("forced shutdown alone") << "FSD" << 0 << 1;
        QTest::newRow("forced shutdown on line") << "FSD OL" << 0 << 1;
        QTest::newRow("extra blanks") << "  OB   LB " << 0 << 1;
        QTest::newRow("output off on line") << "OL OFF" << 1 << 0;
        QTest::newRow("neither on line nor on battery") << "OFF LB" << -1 << 0;
        QTest::newRow("waiting for data") << "WAIT" << -1 << 0;
        QTest::newRow("empty") << "" << -1 << 0;
        QTest::newRow("garbage") << QString(100000, 'A') << -1 << 0;
        QTest::newRow("lower case is nothing") << "ob lb" << -1 << 0;
    }

    void upsStatusMapping() {
        QFETCH(QString, status);
        QFETCH(int, ac);
        QFETCH(int, low);
        auto st = psu::nut::statusFromUpsStatus(status.toStdString());
        QCOMPARE(st.has_value(), ac >= 0);
        if (st) {
            QCOMPARE(int(st->acPresent), ac);
            QCOMPARE(int(st->batteryLow), low);
        }
    }

    void chargeAndRuntimeText() {
        using namespace psu::nut;
        QCOMPARE(chargeFromText(std::string("87")), 87);
        QCOMPARE(chargeFromText(std::string("87.6")), 88);
        QCOMPARE(chargeFromText(std::string("101")), -1);
        QCOMPARE(chargeFromText(std::string("n/a")), -1);
        QCOMPARE(chargeFromText(std::nullopt), -1);
        QCOMPARE(runtimeFromText(std::string("1800")), 1800L);
        QCOMPARE(runtimeFromText(std::string("-5")), -1L);
        QCOMPARE(runtimeFromText(std::string("12abc")), -1L);
    }

    void addresses() {
        auto a = parseAddress("ups@nas.local:3494");
        QVERIFY(a);
        QCOMPARE(a->ups, std::string("ups"));
        QCOMPARE(a->host, std::string("nas.local"));
        QCOMPARE(int(a->port), 3494);
        a = parseAddress("myups");
        QVERIFY(a);
        QCOMPARE(a->host, std::string("localhost"));
        QCOMPARE(int(a->port), 3493);
        a = parseAddress("@192.168.1.2");
        QVERIFY(a);
        QVERIFY(a->ups.empty());
        QCOMPARE(a->host, std::string("192.168.1.2"));
        a = parseAddress("ups@[::1]:3493");
        QVERIFY(a);
        QCOMPARE(a->host, std::string("::1"));
        for (const char* bad : {"ups@", "ups@host:", "ups@host:0", "ups@host:70000", "ups@host:12x",
                                "u ps@host", "ups@ho\nst", "ups@[::1", "ups\"@host", "@[[3-3]", "ups@h]st"})
            QVERIFY2(!parseAddress(bad), bad);
    }
};

QTEST_GUILESS_MAIN(TestNutDriver)
#include "nut_driver_test.moc"
