// Finding UPSes in sysfs: hidraw nodes with their IDs, names and descriptors, USB UPSes
// that another program holds (no hidraw node), and the check behind the udev rule, on
// fake sysfs trees.
#include "hid/hidraw_device.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace psu::hid;

namespace {

QByteArray fixture(const QString& name) {
    QFile f(QStringLiteral(BRIGHTLOCK_FIXTURES "/hid/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestHidSysfs : public QObject {
    Q_OBJECT

private slots:
    void hidrawNodes() {
        QTemporaryDir root;
        const QString r = root.path();
        QVERIFY(put(
            r + "/hidraw10/device/uevent",
            "DRIVER=hid-generic\nHID_ID=0003:00000764:00000501\nHID_NAME=CPS CP1500EPFCLCD\nHID_PHYS=x\n"));
        QVERIFY(put(r + "/hidraw10/device/report_descriptor", QByteArray::fromHex("05840904a101c0")));
        QVERIFY(put(r + "/hidraw9/device/uevent", "HID_ID=0003:0000046D:0000C52B\nHID_NAME=Mouse\n"));
        const std::vector<HidrawNode> nodes = listHidrawNodes(r.toStdString());
        QCOMPARE(nodes.size(), size_t(2));
        QCOMPARE(nodes[0].devPath, std::string("/dev/hidraw9")); // in number order
        QCOMPARE(nodes[1].devPath, std::string("/dev/hidraw10"));
        QCOMPARE(nodes[1].vendorId, uint16_t(0x0764));
        QCOMPARE(nodes[1].productId, uint16_t(0x0501));
        QCOMPARE(nodes[1].name, std::string("CPS CP1500EPFCLCD"));
        QCOMPARE(nodes[1].descriptor.size(), size_t(7));
        QVERIFY(nodes[0].descriptor.empty());
    }

    void upsHeldByAnotherProgram() {
        QTemporaryDir root;
        const QString r = root.path();
        // A UPS whose interface a program claimed through libusb, and a keyboard.
        QVERIFY(put(r + "/1-2/idVendor", "0764\n") && put(r + "/1-2/idProduct", "0501\n") &&
                put(r + "/1-2/product", "CP1500EPFCLCD\n") && put(r + "/1-2/busnum", "1\n") &&
                put(r + "/1-2/devnum", "7\n"));
        QVERIFY(QDir().mkpath(r + "/drivers/usbfs") && QDir().mkpath(r + "/1-2/1-2:1.0"));
        QVERIFY(QFile::link(r + "/drivers/usbfs", r + "/1-2/1-2:1.0/driver"));
        QVERIFY(put(r + "/1-3/idVendor", "046d\n") && put(r + "/1-3/idProduct", "c52b\n"));
        QVERIFY(put(r + "/1-2:1.0/idVendor", "0764\n")); // an interface entry is no device

        std::vector<HeldUsbDevice> held = listHeldUpsDevices({}, r.toStdString());
        QCOMPARE(held.size(), size_t(1));
        QCOMPARE(held[0].vendorId, uint16_t(0x0764));
        QCOMPARE(held[0].product, std::string("CP1500EPFCLCD"));
        QCOMPARE(held[0].driver, std::string("usbfs"));

        // With its hidraw node present the UPS is not held.
        HidrawNode node;
        node.vendorId = 0x0764;
        node.productId = 0x0501;
        QVERIFY(listHeldUpsDevices({node}, r.toStdString()).empty());
    }

    // The check behind the udev rule, run as udev runs it on the sysfs folder of each
    // new hidraw device: UPSes pass, other devices of UPS makers do not.
    void udevCheck_data() {
        QTest::addColumn<QString>("vendorProduct");
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<int>("exitCode");
        const QByteArray keyboard =
            QByteArray::fromHex("05010906a101 0507 19e0 29e7 1500 2501 7501 9508 8102 c0");
        QTest::newRow("UPS of a known maker")
            << "0764:0501" << fixture("cyberpower-ec850lcd-0764-0501.bin") << 0;
        QTest::newRow("UPS of an unknown maker") << "1234:5678" << fixture("eaton-3s-700-0463-ffff.bin") << 0;
        QTest::newRow("keyboard of a UPS maker") << "03f0:0024" << keyboard << 1;
        QTest::newRow("maker's gadget without mains status")
            << "0764:0601" << QByteArray::fromHex("0600ff0901a101 0901 7508 9508 b102 c0") << 1;
        QTest::newRow("hostile descriptor") << "0764:0501" << QByteArray::fromHex("06ffff1affff2affff") << 1;
        QTest::newRow("no descriptor") << "0764:0501" << QByteArray() << 1;
    }

    void udevCheck() {
        QFETCH(QString, vendorProduct);
        QFETCH(QByteArray, descriptor);
        QFETCH(int, exitCode);
        QTemporaryDir root;
        const QString node =
            root.path() + "/devices/usb1/0003:" + vendorProduct.toUpper() + ".0001/hidraw/hidraw3";
        const QStringList ids = vendorProduct.split(':');
        QVERIFY(
            put(node + "/device/uevent", ("HID_ID=0003:0000" + ids[0] + ":0000" + ids[1] + "\n").toLatin1()));
        if (!descriptor.isEmpty())
            QVERIFY(put(node + "/device/report_descriptor", descriptor));
        QProcess check;
        check.start(qEnvironmentVariable("BRIGHTLOCK_DIST") + "/brightlock-ups-check", {node});
        QVERIFY(check.waitForFinished(5000));
        QCOMPARE(check.exitStatus(), QProcess::NormalExit);
        QCOMPARE(check.exitCode(), exitCode);
    }

    // Every grant of the rule goes through the check: no maker-wide grants.
    void udevRuleGrantsThroughTheCheck() {
        QFile rule(QStringLiteral(BRIGHTLOCK_SOURCE_DIR "/psu/udev/70-brightlock-ups.rules"));
        QVERIFY(rule.open(QIODevice::ReadOnly));
        int grants = 0;
        for (const QByteArray& line : rule.readAll().split('\n')) {
            if (line.startsWith('#') || !line.contains("uaccess"))
                continue;
            ++grants;
            QVERIFY2(line.contains("PROGRAM=\"/") && line.contains("/brightlock-ups-check %S%p\""),
                     line.constData());
            QVERIFY2(!line.contains("idVendor"), line.constData());
        }
        QCOMPARE(grants, 1);
    }
};

QTEST_APPLESS_MAIN(TestHidSysfs)
#include "hid_sysfs_test.moc"
