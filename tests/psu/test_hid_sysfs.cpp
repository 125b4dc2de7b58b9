// Finding UPSes in sysfs: hidraw nodes with their IDs, names and descriptors, and USB
// UPSes that another program holds (no hidraw node), on a fake sysfs tree.
#include "hid/hidraw_device.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace psu::hid;

namespace {

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
};

QTEST_APPLESS_MAIN(TestHidSysfs)
#include "test_hid_sysfs.moc"
