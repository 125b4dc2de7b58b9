// The HID report descriptor parser, the usage table and field values: both recorded UPS
// descriptors, the pitfalls real devices show, and malformed input.
#include "hid/report_descriptor.h"
#include "hid/report_value.h"
#include "hid/ups_usages.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace psu::hid;

Q_DECLARE_METATYPE(psu::hid::Need)
Q_DECLARE_METATYPE(psu::hid::ReportType)

namespace {

QByteArray fixture(const QString& name) {
    QFile f(QStringLiteral(BRIGHTLOCK_FIXTURES "/hid/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ReportDescriptor parse(const QByteArray& bytes) {
    std::string error;
    auto d = parseReportDescriptor(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                                   &error);
    if (!d)
        qWarning("parse failed: %s", error.c_str());
    return d.value_or(ReportDescriptor{});
}

std::optional<std::string> parseError(const QByteArray& bytes) {
    std::string error;
    auto d = parseReportDescriptor(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                                   &error);
    if (d)
        return std::nullopt;
    return error;
}

// Wraps items in Usage Page (Power Device), Usage (UPS), Collection (Application).
QByteArray ups(const QByteArray& body) {
    return QByteArray::fromHex("05840904a101") + body + QByteArray::fromHex("c0");
}

const char* kCyberPower = "cyberpower-ec850lcd-0764-0501.bin";
const char* kEaton = "eaton-3s-700-0463-ffff.bin";

} // namespace

class TestHidDescriptor : public QObject {
    Q_OBJECT

private slots:
    void fixtureFields_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<Need>("need");
        QTest::addColumn<ReportType>("type");
        QTest::addColumn<int>("reportId");
        QTest::addColumn<int>("bitOffset");
        QTest::addColumn<int>("bitSize");
        QTest::addColumn<bool>("isSigned");
        const auto F = ReportType::Feature;
        const auto I = ReportType::Input;
        struct Row {
            const char* file;
            const char* tag;
            Need need;
            ReportType type;
            int id, offset, size;
            bool isSigned;
        };
        const Row rows[] = {
            {kCyberPower, "ACPresent", Need::AcPresent, F, 0x0b, 0, 1, false},
            {kCyberPower, "ACPresent input", Need::AcPresent, I, 0x0b, 0, 1, false},
            {kCyberPower, "Discharging", Need::Discharging, F, 0x0b, 2, 1, false},
            {kCyberPower, "BelowRemainingCapacityLimit", Need::BelowRemainingCapacityLimit, F, 0x0b, 3, 1,
             false},
            {kCyberPower, "BelowRemainingCapacityLimit input", Need::BelowRemainingCapacityLimit, I, 0x0b, 3,
             1, false},
            {kCyberPower, "RemainingTimeLimitExpired", Need::RemainingTimeLimitExpired, F, 0x0b, 5, 1, false},
            {kCyberPower, "RemainingCapacity", Need::RemainingCapacity, F, 0x08, 0, 8, false},
            {kCyberPower, "RunTimeToEmpty", Need::RunTimeToEmpty, F, 0x08, 8, 16, false},
            {kCyberPower, "PercentLoad", Need::PercentLoad, F, 0x13, 0, 8, false},
            {kCyberPower, "InputVoltage", Need::InputVoltage, F, 0x0f, 0, 16, false},
            {kCyberPower, "DelayBeforeShutdown", Need::DelayBeforeShutdown, F, 0x15, 0, 16, true},
            {kCyberPower, "DelayBeforeStartup", Need::DelayBeforeStartup, F, 0x16, 0, 16, true},
            {kEaton, "ACPresent", Need::AcPresent, F, 0x01, 0, 1, false},
            {kEaton, "ACPresent input", Need::AcPresent, I, 0x01, 0, 1, false},
            {kEaton, "BelowRemainingCapacityLimit", Need::BelowRemainingCapacityLimit, F, 0x01, 1, 1, false},
            {kEaton, "Charging", Need::Charging, F, 0x01, 2, 1, false},
            {kEaton, "Discharging", Need::Discharging, F, 0x01, 4, 1, false},
            {kEaton, "ShutdownImminent", Need::ShutdownImminent, F, 0x01, 16, 8, false},
            {kEaton, "RemainingCapacity", Need::RemainingCapacity, F, 0x06, 0, 8, false},
            {kEaton, "RunTimeToEmpty", Need::RunTimeToEmpty, F, 0x06, 8, 32, false},
            {kEaton, "PercentLoad", Need::PercentLoad, F, 0x07, 40, 8, false},
            {kEaton, "DelayBeforeShutdown", Need::DelayBeforeShutdown, F, 0x09, 0, 32, true},
            {kEaton, "DelayBeforeStartup", Need::DelayBeforeStartup, F, 0x0a, 0, 32, true},
        };
        for (const Row& r : rows)
            QTest::addRow("%s %s", QString(r.file).section('-', 0, 0).toUtf8().constData(), r.tag)
                << QString(r.file) << r.need << r.type << r.id << r.offset << r.size << r.isSigned;
    }

    void fixtureFields() {
        QFETCH(QString, file);
        QFETCH(Need, need);
        QFETCH(ReportType, type);
        const ReportDescriptor d = parse(fixture(file));
        QVERIFY(!d.fields.empty());
        QCOMPARE(d.applicationUsage, kUpsCollection);
        const UpsLayout layout = findLayout(d);
        const auto& field = type == ReportType::Feature ? layout.featureField(need) : layout.inputField(need);
        QVERIFY(field.has_value());
        QFETCH(int, reportId);
        QFETCH(int, bitOffset);
        QFETCH(int, bitSize);
        QFETCH(bool, isSigned);
        QCOMPARE(int(field->reportId), reportId);
        QCOMPARE(int(field->bitOffset), bitOffset);
        QCOMPARE(int(field->bitSize), bitSize);
        QCOMPARE(field->isSigned, isSigned);
    }

    void fixtureDetails() {
        const ReportDescriptor cp = parse(fixture(kCyberPower));
        const UpsLayout cpLayout = findLayout(cp);
        QVERIFY(!cpLayout.has(Need::ShutdownImminent));
        QVERIFY(cpLayout.usable() && cpLayout.canSwitchOff());
        QCOMPARE(cpLayout.featureField(Need::DelayBeforeShutdown)->logicalMin, -1);
        QCOMPARE(cpLayout.featureField(Need::DelayBeforeShutdown)->logicalMax, 32767);
        QCOMPARE(fieldPath(*cpLayout.featureField(Need::DelayBeforeShutdown)),
                 std::string("UPS.Output.DelayBeforeShutdown"));
        QCOMPARE(fieldPath(*cpLayout.featureField(Need::AcPresent)),
                 std::string("UPS.PowerSummary.PresentStatus.ACPresent"));
        // The status report carries two bits of padding after its six flags.
        QCOMPARE(cp.reportLength(ReportType::Feature, 0x0b), size_t(2));

        const ReportDescriptor eaton = parse(fixture(kEaton));
        QCOMPARE(eaton.reportLength(ReportType::Feature, 0x01), size_t(4));
        QCOMPARE(eaton.reportLength(ReportType::Feature, 0x09), size_t(5));
        const UpsLayout layout = findLayout(eaton);
        // The real report "01 25 00 00": mains present, charging, not low.
        const uint8_t report[] = {0x01, 0x25, 0x00, 0x00};
        QCOMPARE(readField(*layout.featureField(Need::AcPresent), report, 4), std::optional<int64_t>(1));
        QCOMPARE(readField(*layout.featureField(Need::Charging), report, 4), std::optional<int64_t>(1));
        QCOMPARE(readField(*layout.featureField(Need::BelowRemainingCapacityLimit), report, 4),
                 std::optional<int64_t>(0));
        QCOMPARE(readField(*layout.featureField(Need::ShutdownImminent), report, 4),
                 std::optional<int64_t>(0));

        // Voltage means the mains only inside UPS.Input: the CyberPower's battery and output
        // voltages are passed over, and the Eaton, which reports only its output's, has none.
        const auto& input = cpLayout.featureField(Need::InputVoltage);
        QCOMPARE(fieldPath(*input), std::string("UPS.Input.Voltage"));
        QCOMPARE(volts(*input, 230), 230.0); // unit exponent 7: whole volts
        Field centivolts = *input;
        centivolts.unitExponent = 5;
        QCOMPARE(volts(centivolts, 23050), 230.5);
        QVERIFY(!layout.has(Need::InputVoltage));
    }

    void pitfalls() {
        // Status flags marked Constant keep their usage; a Constant item without usage is
        // padding that moves the next field.
        {
            const ReportDescriptor d = parse(ups(QByteArray::fromHex("8501750195011500250105850"
                                                                     "9d0b123750 7b1010942b102")));
            const UpsLayout l = findLayout(d);
            QVERIFY(l.featureField(Need::AcPresent).has_value());
            QVERIFY(l.featureField(Need::AcPresent)->isConstant);
            QCOMPARE(int(l.featureField(Need::BelowRemainingCapacityLimit)->bitOffset), 8);
            QCOMPARE(int(l.featureField(Need::BelowRemainingCapacityLimit)->bitSize), 7);
        }
        // A four-byte Usage carries its own page, whatever the current Usage Page says.
        {
            const ReportDescriptor d =
                parse(ups(QByteArray::fromHex("850275089501150025 0105ff0bd0008500b102")));
            const UpsLayout l = findLayout(d);
            QVERIFY(l.featureField(Need::AcPresent).has_value());
            QCOMPARE(int(l.featureField(Need::AcPresent)->reportId), 2);
        }
        // 0xFF as a one-byte maximum with a zero minimum is 255, not -1; a negative
        // minimum makes the field signed.
        {
            const ReportDescriptor d = parse(ups(QByteArray::fromHex(
                "8503 7508 9501 1500 25ff 0585 0966 b102 8504 15ff 26ff7f 7510 0584 0957 b102")));
            const UpsLayout l = findLayout(d);
            QCOMPARE(l.featureField(Need::RemainingCapacity)->logicalMax, 255);
            QVERIFY(!l.featureField(Need::RemainingCapacity)->isSigned);
            QVERIFY(l.featureField(Need::DelayBeforeShutdown)->isSigned);
        }
        // The same usage under several collections: PowerSummary wins over Output, and
        // PresentStatus over another collection, whatever the order.
        {
            const ReportDescriptor d = parse(ups(QByteArray::fromHex(
                "091c a100 8505 7510 9501 15ff 26ff7f 0957 b102 c0"    // Output.DelayBeforeShutdown
                "0924 a100 8506 0957 b102 c0"                          // PowerSummary.DelayBeforeShutdown
                "0910 a100 8507 7501 9501 1500 2501 0585 09d0 b102 c0" // BatterySystem.ACPresent
                "0584 0924 a100 0902 a100 8508 0585 09d0 b102 c0 c0"   // PowerSummary.PresentStatus.ACPresent
                )));
            const UpsLayout l = findLayout(d);
            QCOMPARE(int(l.featureField(Need::DelayBeforeShutdown)->reportId), 6);
            QCOMPARE(int(l.featureField(Need::AcPresent)->reportId), 8);
        }
        // Push and Pop restore the global state; a usage range names fields in turn.
        {
            const ReportDescriptor d = parse(ups(QByteArray::fromHex(
                "0585 8509 7501 9503 1500 2501 a4 7508 9501 0966 b102 b4 1942 2944 b102")));
            const UpsLayout l = findLayout(d);
            QCOMPARE(int(l.featureField(Need::RemainingCapacity)->bitSize), 8);
            QCOMPARE(int(l.featureField(Need::BelowRemainingCapacityLimit)->bitOffset), 8);
            QCOMPARE(int(l.featureField(Need::RemainingTimeLimitExpired)->bitOffset), 9);
            QCOMPARE(int(l.featureField(Need::Charging)->bitOffset), 10);
            QCOMPARE(int(l.featureField(Need::Charging)->bitSize), 1);
        }
    }

    void malformedDescriptors_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated item") << QByteArray::fromHex("05840904a1012601");
        QTest::newRow("collection not closed") << QByteArray::fromHex("05840904a101");
        QTest::newRow("end without collection") << QByteArray::fromHex("c0");
        QTest::newRow("pop without push") << QByteArray::fromHex("b4");
        QTest::newRow("report beyond 4096 bytes") << QByteArray::fromHex("7520 96ff0f 0966 b102 b102");
        QTest::newRow("report size over 32 bits") << QByteArray::fromHex("7521");
        QTest::newRow("report ID 0") << QByteArray::fromHex("8500");
        QTest::newRow("backwards usage range") << QByteArray::fromHex("19052901");
    }

    void malformedDescriptors() {
        QFETCH(QByteArray, bytes);
        auto error = parseError(bytes);
        QVERIFY(error.has_value());
        QVERIFY(!error->empty());
    }

    // Descriptors made to exhaust the parser: a usage range ending at the last usage
    // (it wrapped around and never ended), and a few bytes asking for tens of thousands
    // of fields.
    void hostileDescriptorsCostLittle() {
        const ReportDescriptor d = parse(QByteArray::fromHex("06ffff 1affff 2affff 7501 9501 8102"));
        QCOMPARE(d.fields.size(), size_t(1));
        QCOMPARE(d.fields[0].usage, Usage(0xFFFFFFFF));
        QVERIFY(parseError(QByteArray::fromHex("7501 960080 0966 8102")));
        // A large vendor report in a descriptor of ordinary length is still read.
        QByteArray body = QByteArray::fromHex("0600ff 0901 7508 960010 b102");
        body += QByteArray(400, '\0'); // items the parser skips, up to a real length
        QCOMPARE(parse(ups(body)).fields.size(), size_t(4096));
    }

    // Corrupted copies of both recordings never crash the parser or the layout search.
    void corruptedRecordings() {
        QRandomGenerator rng(20240607);
        for (const char* name : {kCyberPower, kEaton}) {
            const QByteArray original = fixture(name);
            for (int round = 0; round < 3000; ++round) {
                QByteArray bytes = original;
                const int flips = 1 + int(rng.bounded(6));
                for (int i = 0; i < flips; ++i)
                    bytes[int(rng.bounded(bytes.size()))] = char(rng.bounded(256));
                if (round % 7 == 0)
                    bytes.truncate(int(rng.bounded(bytes.size())));
                std::string error;
                auto d = parseReportDescriptor(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                               size_t(bytes.size()), &error);
                if (d)
                    findLayout(*d);
            }
        }
    }

    void fieldValues() {
        Field f;
        f.bitOffset = 4;
        f.bitSize = 16;
        f.isSigned = true;
        f.logicalMin = -1;
        f.logicalMax = 32767;
        uint8_t report[4] = {0x15, 0xFB, 0xFF, 0xCF};
        QCOMPARE(readField(f, report, 4), std::optional<int64_t>(-1));
        QVERIFY(writeField(f, 60, report, 4));
        QCOMPARE(readField(f, report, 4), std::optional<int64_t>(60));
        QCOMPARE(int(report[0]), 0x15);
        QCOMPARE(int(report[1] & 0x0F), 0x0B); // bits around the field keep their value
        QCOMPARE(int(report[3] & 0xF0), 0xC0);
        QVERIFY(writeField(f, 100000, report, 4)); // clamped to the logical maximum
        QCOMPARE(readField(f, report, 4), std::optional<int64_t>(32767));
        QVERIFY(writeField(f, -5, report, 4));
        QCOMPARE(readField(f, report, 4), std::optional<int64_t>(-1));
        QCOMPARE(readField(f, report, 3), std::nullopt); // too short
        QVERIFY(!writeField(f, 1, report, 3));

        Field wide;
        wide.bitOffset = 8;
        wide.bitSize = 32;
        wide.logicalMin = 0;
        wide.logicalMax = -1; // as a 4-byte maximum this is not rewritten; no clamping then
        uint8_t r2[6] = {0x06, 0x64, 0x10, 0x0E, 0x00, 0x00};
        QCOMPARE(readField(wide, r2, 6), std::optional<int64_t>(3600));
    }
};

QTEST_APPLESS_MAIN(TestHidDescriptor)
#include "hid_descriptor_test.moc"
