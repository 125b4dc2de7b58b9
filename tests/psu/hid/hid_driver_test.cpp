// The hid driver through the real libPSU.so, on devices replayed from the two recorded
// UPS descriptors with synthesised reports: status bytes, switch-off writes, unplug and
// re-plug, Input reports and which polls read the Feature reports, a device or a device
// search that hangs, and the auto driver's choice.
#include "psu/library_under_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Model {
    const char* descriptor;
    // Report builders for one state of the UPS.
    QByteArray (*status)(bool ac, bool low, bool imminent);
    uint8_t statusId;
    QByteArray (*battery)(int charge, uint32_t runtime);
    uint8_t batteryId;
    uint8_t shutdownId, startupId;
    int delayBytes;
};

QByteArray le(uint32_t v, int bytes) {
    QByteArray b;
    for (int i = 0; i < bytes; ++i)
        b += char((v >> (8 * i)) & 0xFF);
    return b;
}

// CyberPower: report 0x0b bit 0 ACPresent, 1 Charging, 2 Discharging, 3 Below..., 5
// RemainingTimeLimitExpired (the "imminent" flag here); 0x08 charge then 16-bit runtime.
const Model kCyberPower = {
    "cyberpower-ec850lcd-0764-0501.bin",
    [](bool ac, bool low, bool imminent) {
        return QByteArray("\x0b", 1) + char((ac ? 0x03 : 0x04) | (low ? 0x08 : 0) | (imminent ? 0x20 : 0));
    },
    0x0b,
    [](int charge, uint32_t runtime) { return QByteArray("\x08", 1) + char(charge) + le(runtime, 2); },
    0x08,
    0x15,
    0x16,
    2,
};

// Eaton: report 0x01 byte 1 bit 0 ACPresent, 1 Below..., 2 Charging, 4 Discharging; byte
// 3 ShutdownImminent; 0x06 charge then 32-bit runtime.
const Model kEaton = {
    "eaton-3s-700-0463-ffff.bin",
    [](bool ac, bool low, bool imminent) {
        return QByteArray("\x01", 1) + char((ac ? 0x05 : 0x10) | (low ? 0x02 : 0)) + char(0) +
               char(imminent ? 1 : 0);
    },
    0x01,
    [](int charge, uint32_t runtime) { return QByteArray("\x06", 1) + char(charge) + le(runtime, 4); },
    0x06,
    0x09,
    0x0a,
    4,
};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString hexFile(uint8_t id, const char* kind = "feature") {
    return QString::asprintf("%s-%02x", kind, id);
}

QString hexLine(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' '));
}

} // namespace

Q_DECLARE_METATYPE(const Model*)

class TestHidDriver : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QTemporaryDir replay_;
    std::unique_ptr<LibraryUnderTest> lib_;

    // A replay folder holding the model's descriptor and reports for one state.
    void record(const Model& m, bool ac, bool low, bool imminent, int charge, uint32_t runtime) {
        QDir dir(replay_.path());
        for (const QString& name : dir.entryList(QDir::Files))
            dir.remove(name);
        QFile::copy(QStringLiteral(BRIGHTLOCK_FIXTURES "/hid/") + m.descriptor,
                    dir.filePath("report_descriptor"));
        writeFile(dir.filePath(hexFile(m.statusId)), m.status(ac, low, imminent));
        writeFile(dir.filePath(hexFile(m.batteryId)), m.battery(charge, runtime));
        const QByteArray idle = le(0xFFFFFFFF, m.delayBytes);
        writeFile(dir.filePath(hexFile(m.shutdownId)), char(m.shutdownId) + idle);
        writeFile(dir.filePath(hexFile(m.startupId)), char(m.startupId) + idle);
    }

    QStringList written() const {
        QFile f(QDir(replay_.path()).filePath("written"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid() && replay_.isValid());
        qputenv("BRIGHTLOCK_HOME", home_.path().toLocal8Bit());
        qputenv("PSU_HID_REPLAY", replay_.path().toLocal8Bit());
        qunsetenv("PSU_NUT_UPS");
        lib_ = std::make_unique<LibraryUnderTest>();
        QVERIFY2(lib_->loaded(), qPrintable(lib_->error()));
    }

    void init() {
        qputenv("PSU_DRIVER", "hid");
        QFile::remove(QDir(home_.path()).filePath("PSU.ini"));
    }

    void statusReply_data() {
        QTest::addColumn<const Model*>("model");
        QTest::addColumn<bool>("ac");
        QTest::addColumn<bool>("low");
        QTest::addColumn<bool>("imminent");
        QTest::addColumn<int>("expectedLow");
        for (const Model* m : {&kCyberPower, &kEaton}) {
            const char* name = m == &kCyberPower ? "cyberpower" : "eaton";
            QTest::addRow("%s on line", name) << m << true << false << false << 0;
            QTest::addRow("%s on battery", name) << m << false << false << false << 0;
            QTest::addRow("%s battery low", name) << m << false << true << false << 1;
            // ShutdownImminent (Eaton) or RemainingTimeLimitExpired (CyberPower) alone.
            QTest::addRow("%s shutdown imminent", name) << m << false << false << true << 1;
        }
    }

    void statusReply() {
        QFETCH(const Model*, model);
        QFETCH(bool, ac);
        QFETCH(bool, low);
        QFETCH(bool, imminent);
        record(*model, ac, low, imminent, ac ? 100 : 42, ac ? 1800 : 600);
        QCOMPARE(lib_->closeHandleDevice(), 1);
        QCOMPARE(lib_->hidHandle(), 1);
        const LibraryUnderTest::Reply r = lib_->query();
        QVERIFY(r.answered());
        QCOMPARE(r.reply.at(0), 'T');
        QCOMPARE(r.acPresent(), ac ? 1 : 0);
        QFETCH(int, expectedLow);
        QCOMPARE(r.batteryLow(), expectedLow);
        QCOMPARE(r.charge(), ac ? 100 : 42);
        QCOMPARE(r.runtime(), ac ? 1800u : 600u);
        QCOMPARE(r.aux, QByteArray("hid\0\0\0", 6));
    }

    // The CyberPower's load (Output.PercentLoad) and mains voltage (Input.Voltage, whole
    // volts) in the reply; the Eaton, whose load report is not answered here and which has
    // no input voltage, reports neither.
    void loadAndInputVoltage() {
        record(kCyberPower, false, false, false, 80, 900);
        writeFile(QDir(replay_.path()).filePath(hexFile(0x13)), QByteArray("\x13", 1) + char(37));
        writeFile(QDir(replay_.path()).filePath(hexFile(0x0f)), QByteArray("\x0f", 1) + le(231, 2));
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        LibraryUnderTest::Reply r = lib_->query();
        QVERIFY(r.answered());
        QCOMPARE(r.reported(), 3);
        QCOMPARE(r.load(), 37);
        QCOMPARE(r.inputDeciVolts(), 2310);

        record(kEaton, true, false, false, 100, 1800);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        r = lib_->query();
        QVERIFY(r.answered());
        QCOMPARE(r.charge(), 100);
        QCOMPARE(r.reported(), 0);
    }

    void switchOffWritesDelays_data() {
        QTest::addColumn<const Model*>("model");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("startup");
        QTest::addColumn<int>("shutdown");
        QTest::newRow("cyberpower defaults") << &kCyberPower << QString() << 120 << 60;
        QTest::newRow("eaton defaults") << &kEaton << QString() << 120 << 60;
        QTest::newRow("eaton from PSU.ini") << &kEaton << "[hid]\nShutdownDelay=20\nStartupDelay=30\n"
                                            << 30 << 20;
        QTest::newRow("startup not after shutdown") << &kEaton << "[hid]\nShutdownDelay=90\nStartupDelay=30\n"
                                                    << 150 << 90;
    }

    void switchOffWritesDelays() {
        QFETCH(const Model*, model);
        QFETCH(QString, settings);
        QFETCH(int, startup);
        QFETCH(int, shutdown);
        if (!settings.isEmpty())
            writeFile(QDir(home_.path()).filePath("PSU.ini"), settings.toUtf8());
        record(*model, false, true, false, 10, 60);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(lib_->switchOff());
        const QStringList lines = written();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), hexLine(char(model->startupId) + le(uint32_t(startup), model->delayBytes)));
        QCOMPARE(lines.at(1), hexLine(char(model->shutdownId) + le(uint32_t(shutdown), model->delayBytes)));
    }

    // A UPS without DelayBeforeShutdown cannot be switched off: no "S1", nothing written.
    void noSwitchOffField() {
        record(kEaton, true, false, false, 100, 1800);
        // Usage Page, UPS collection, report 1 with ACPresent only.
        writeFile(QDir(replay_.path()).filePath("report_descriptor"),
                  QByteArray::fromHex("05840904a101 8501 7501 9501 1500 2501 0585 09d0 b102 7507 b101 c0"));
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(lib_->query().answered());
        QVERIFY(!lib_->switchOff());
        QVERIFY(written().isEmpty());
    }

    // A device that fails its switch-off write gives no "S1".
    void refusedWrite() {
        record(kCyberPower, true, false, false, 100, 1800);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QFile::remove(QDir(replay_.path()).filePath(hexFile(kCyberPower.shutdownId)));
        QVERIFY(!lib_->switchOff());
        QCOMPARE(written().size(), 1); // the startup delay only
    }

    void unplugAndReplug() {
        record(kEaton, true, false, false, 100, 1800);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(lib_->query().answered());
        const QString descriptor = QDir(replay_.path()).filePath("report_descriptor");
        QVERIFY(QFile::rename(descriptor, descriptor + ".away"));
        QVERIFY(!lib_->query().answered());
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 0);
        QVERIFY(!lib_->query().answered());
        QVERIFY(QFile::rename(descriptor + ".away", descriptor));
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(lib_->query().answered());
    }

    // Without a readable Feature report, the latest Input report answers.
    void inputReportsWhenFeaturesFail() {
        record(kCyberPower, true, false, false, 100, 1800);
        QDir dir(replay_.path());
        dir.remove(hexFile(kCyberPower.statusId));
        writeFile(dir.filePath("input-0b"), kCyberPower.status(false, true, false));
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        const LibraryUnderTest::Reply r = lib_->query();
        QVERIFY(r.answered());
        QCOMPARE(r.acPresent(), 0);
        QCOMPARE(r.batteryLow(), 1);
        QCOMPARE(r.charge(), 100); // from the Feature report that still answers
    }

    // A UPS that sends its status in Input reports is read by Feature report on mains
    // only every tenth poll; the charge, a Feature value changed before every poll, shows
    // which polls read them. A mains failure its Input report tells is seen at the next
    // poll all the same, and on battery every poll reads the Feature reports.
    void featureReadsFollowThePower_data() {
        QTest::addColumn<const Model*>("model");
        QTest::newRow("cyberpower") << &kCyberPower;
        QTest::newRow("eaton") << &kEaton;
    }

    void featureReadsFollowThePower() {
        QFETCH(const Model*, model);
        record(*model, true, false, false, 0, 1800);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        const QDir dir(replay_.path());
        auto poll = [&](int n) {
            writeFile(dir.filePath(hexFile(model->batteryId)), model->battery(n, 1800));
            return lib_->query();
        };
        auto power = [&](bool ac) {
            writeFile(dir.filePath(hexFile(model->statusId, "input")), model->status(ac, false, false));
            writeFile(dir.filePath(hexFile(model->statusId)), model->status(ac, false, false));
        };
        QList<int> charges, expected;
        for (int n = 1; n <= 21; ++n) {
            const LibraryUnderTest::Reply r = poll(n);
            QVERIFY(r.answered());
            charges << r.charge();
            expected << (n - 1) / 10 * 10 + 1;
        }
        QCOMPARE(charges, expected);

        power(false);
        LibraryUnderTest::Reply r = poll(22);
        QCOMPARE(r.acPresent(), 0);
        QCOMPARE(r.charge(), 21); // from the Input report alone
        for (int n : {23, 24}) {
            r = poll(n);
            QCOMPARE(r.acPresent(), 0);
            QCOMPARE(r.charge(), n);
        }
        power(true);
        QCOMPARE(poll(25).acPresent(), 1);
        QCOMPARE(poll(26).charge(), 25);
    }

    // A UPS that tells the mains only in Feature reports is read by them at every poll.
    void featureOnlyStatusReadEveryPoll() {
        record(kEaton, true, false, false, 100, 1800);
        // Usage Page, UPS collection, report 1 with ACPresent as a Feature item only.
        writeFile(QDir(replay_.path()).filePath("report_descriptor"),
                  QByteArray::fromHex("05840904a101 8501 7501 9501 1500 2501 0585 09d0 b102 7507 b101 c0"));
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        for (bool ac : {true, false, true, true, false}) {
            writeFile(QDir(replay_.path()).filePath(hexFile(1)), QByteArray("\x01", 1) + char(ac ? 1 : 0));
            const LibraryUnderTest::Reply r = lib_->query();
            QVERIFY(r.answered());
            QCOMPARE(r.acPresent(), ac ? 1 : 0);
        }
    }

    // A device whose report read hangs costs one "no answer", not a hung window thread;
    // once it answers again, so does the library.
    void hangingDeviceGivesNoAnswer() {
        record(kEaton, true, false, false, 100, 1800);
        const QString status = QDir(replay_.path()).filePath(hexFile(kEaton.statusId));
        QFile::remove(status);
        QCOMPARE(::mkfifo(QFile::encodeName(status).constData(), 0600), 0);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        QVERIFY(!lib_->query().answered()); // the read blocks on the FIFO until a writer comes
        QVERIFY(!lib_->query().answered()); // still blocked: refused at once
        const int fd = ::open(QFile::encodeName(status).constData(), O_WRONLY | O_NONBLOCK);
        QVERIFY(fd >= 0);
        const QByteArray report = kEaton.status(false, false, false);
        QCOMPARE(::write(fd, report.constData(), size_t(report.size())), ssize_t(report.size()));
        ::close(fd);
        QFile::remove(status);
        writeFile(status, report);
        const LibraryUnderTest::Reply r =
            lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); });
        QVERIFY(r.answered());
        QCOMPARE(r.acPresent(), 0);
    }

    // A device search that hangs (here the recorded descriptor is a FIFO nobody writes)
    // costs a refused open, not a hung window thread.
    void hangingSearchGivesNoDevice() {
        record(kEaton, true, false, false, 100, 1800);
        const QString descriptor = QDir(replay_.path()).filePath("report_descriptor");
        const QByteArray bytes = [&] {
            QFile f(descriptor);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        QFile::remove(descriptor);
        QCOMPARE(::mkfifo(QFile::encodeName(descriptor).constData(), 0600), 0);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 0);
        QVERIFY(!lib_->query().answered());
        const int fd = ::open(QFile::encodeName(descriptor).constData(), O_WRONLY | O_NONBLOCK);
        QVERIFY(fd >= 0); // the late search is still reading
        QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
        ::close(fd);
        QFile::remove(descriptor);
        writeFile(descriptor, bytes);
        QVERIFY(lib_->pollUntil([](const LibraryUnderTest::Reply& r) { return r.answered(); }).answered());
    }

    void autoPrefersTheUsbUps() {
        qunsetenv("PSU_DRIVER");
        record(kCyberPower, false, false, false, 80, 900);
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 1);
        const LibraryUnderTest::Reply r = lib_->query();
        QVERIFY(r.answered());
        QCOMPARE(r.acPresent(), 0);
        QCOMPARE(r.aux, QByteArray("auto\0\0", 6));
        QVERIFY(lib_->switchOff());
    }

    // A rehearsal answers the switch-off as though it went out, yet writes nothing to the
    // UPS, through the hid driver and through auto; the same device takes it for real.
    void rehearsalWritesNothing() {
        record(kEaton, false, true, false, 10, 60);
        for (const char* driver : {"hid", "auto"}) {
            qputenv("PSU_DRIVER", driver);
            lib_->closeHandleDevice();
            QCOMPARE(lib_->hidHandle(), 1);
            QCOMPARE(lib_->isSimulated(), 0);
            Rehearsal dryRun;
            QVERIFY(lib_->switchOff());
            QVERIFY(written().isEmpty());
        }
        QVERIFY(lib_->switchOff());
        QCOMPARE(written().size(), 2);
    }

    void unknownDriverDoesNotAnswer() {
        qputenv("PSU_DRIVER", "nonesuch");
        lib_->closeHandleDevice();
        QCOMPARE(lib_->hidHandle(), 0);
        QVERIFY(!lib_->query().answered());
        QVERIFY(!lib_->switchOff());
    }
};

QTEST_APPLESS_MAIN(TestHidDriver)
#include "hid_driver_test.moc"
