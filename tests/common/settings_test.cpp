// How the monitor reads its settings: numbers, ranges, and what a damaged value means.
#include "ini_read.h"
#include "pause_ms.h"
#include "settings.h"
#include "settings_catalogue.h"
#include "support/stderr_capture.h"
#include "support/temp_home.h"

#include <QFile>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <iterator>

namespace s = brightlock::settings;

class TestMonitorSettings : public QObject {
    Q_OBJECT
private slots:
    void portChoice_data();
    void portChoice();
    void delays_data();
    void delays();
    void damagedSwitchesNeverArm();
    void unreadableFileKeepsTheShutdownArmed();
    void limits();
    void shippedFileMatchesTheCatalogue();
    void pauseKeepsTheProgramResponsive();
};

void TestMonitorSettings::portChoice_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("port");
    QTest::newRow("USB") << "0" << 0;
    QTest::newRow("COM3") << "3" << 3;
    QTest::newRow("COM4") << "4" << 4;
    QTest::newRow("missing") << "" << 0;
    QTest::newRow("text") << "COM1" << 0;
    QTest::newRow("no such port") << "9" << 0;
    QTest::newRow("negative") << "-1" << 0;
    QTest::newRow("fraction") << "1.5" << 0;
}

void TestMonitorSettings::portChoice() {
    QFETCH(QString, value);
    TempHome home;
    home.set("Mscomm", "ComboPort", value);
    QTEST(s::comboPort(), "port");
    QCOMPARE(s::serialLink(), s::comboPort() > 0);
}

void TestMonitorSettings::delays_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("seconds");
    QTest::newRow("one minute") << "1" << 60;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("fraction") << "0.5" << 30;
    QTest::newRow("half second rounds to even") << "0.075" << 4; // 4.5 s: 5 when rounded up
    QTest::newRow("blanks") << " 2 " << 120;
    QTest::newRow("negative: shipped") << "-3" << 300;
    QTest::newRow("text: shipped") << "soon" << 300;
    QTest::newRow("too large: shipped") << "1e12" << 300;
}

void TestMonitorSettings::delays() {
    QFETCH(QString, value);
    TempHome home;
    home.set("UpsOnBattery", "Delaytime", value);
    QTEST(s::delaySeconds(s::PowerEvent::OnBattery), "seconds");
}

void TestMonitorSettings::damagedSwitchesNeverArm() {
    TempHome home;
    QVERIFY(s::shutdownArmed(s::PowerEvent::LowBattery)); // shipped: on
    home.set("UpsLowBattery", "Shutdown", "on");
    QVERIFY(!s::shutdownArmed(s::PowerEvent::LowBattery));
    QVERIFY(!s::shutdownIsOne(s::PowerEvent::LowBattery));
    home.set("UpsLowBattery", "Shutdown", "2");
    QVERIFY(s::shutdownArmed(s::PowerEvent::LowBattery));
    QVERIFY(!s::shutdownIsOne(s::PowerEvent::LowBattery));

    home.set("UpsOnBattery", "Disableevent", "x");
    QVERIFY(s::eventEnabled(s::PowerEvent::OnBattery)); // shipped: 0
    home.set("UpsOnBattery", "Disableevent", "2");
    QVERIFY(!s::eventEnabled(s::PowerEvent::OnBattery));
}

// A file too long to read, or none where one cannot be (the folder is a file): the shipped
// settings apply with the shutdown armed, said once on standard error; a long file that
// can be read gives the user's values.
void TestMonitorSettings::unreadableFileKeepsTheShutdownArmed() {
    TempHome home;
    home.set("UpsOnBattery", "Delaytime", "2");
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::Append));
    file.write(QByteArray(1024 * 1024, '\n')); // 1 MiB of blank lines after the values
    file.close();
    QCOMPARE(s::delaySeconds(s::PowerEvent::OnBattery), 120);
    QVERIFY(s::shutdownArmed(s::PowerEvent::OnBattery));

    QVERIFY(file.open(QIODevice::Append));
    file.write(QByteArray(int(brightlock::ini::kMaxReadBytes), ';'));
    file.close();
    StderrCapture err;
    QVERIFY(s::shutdownArmed(s::PowerEvent::OnBattery));
    QVERIFY(s::shutdownArmed(s::PowerEvent::LowBattery));
    QCOMPARE(s::delaySeconds(s::PowerEvent::OnBattery), 300);
    QCOMPARE(err.text().count("cannot be read"), 1);
    QVERIFY(err.text().contains(SettingsFile().toUtf8()));

    const QByteArray saved = qgetenv("BRIGHTLOCK_HOME");
    qputenv("BRIGHTLOCK_HOME", SettingsFile().toLocal8Bit()); // a file, not a folder
    const bool armed = s::shutdownArmed(s::PowerEvent::OnBattery);
    qputenv("BRIGHTLOCK_HOME", saved);
    QVERIFY(armed);
}

void TestMonitorSettings::limits() {
    TempHome home;
    QCOMPARE(s::recordLimit(s::Logcount), 1000);
    home.set("OSEvent", "Logcount", "100");
    QCOMPARE(s::recordLimit(s::Logcount), 100);
    home.set("OSEvent", "Logcount", "0"); // would empty the store at every poll
    QCOMPARE(s::recordLimit(s::Logcount), 1000);
    home.set("OSEvent", "Eventcount", "many");
    QCOMPARE(s::recordLimit(s::Eventcount), 1000);
}

// The shipped file is what a new installation starts with and what a damaged value falls
// back to: it must hold every catalogued key with a value its own rule accepts, and no
// key the programs do not know.
void TestMonitorSettings::shippedFileMatchesTheCatalogue() {
    for (const brightlock::Setting* setting : s::kAll) {
        const QString name = setting->sectionName() + "/" + setting->keyName();
        auto value = brightlock::parseNumber(s::shippedText(*setting));
        QVERIFY2(value, qPrintable(name));
        if (setting->rule == brightlock::SettingRule::Number)
            QVERIFY2(setting->accepts(*value), qPrintable(name));
    }
    QString section;
    int keys = 0;
    for (const QString& raw : QString::fromLatin1(brightlock::shippedSettingsText()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('[')) {
            section = line.mid(1, line.size() - 2);
        } else if (line.contains('=')) {
            const QString key = line.section('=', 0, 0);
            const bool known = std::any_of(std::begin(s::kAll), std::end(s::kAll), [&](const auto* st) {
                return st->sectionName() == section && st->keyName() == key;
            });
            QVERIFY2(known, qPrintable(section + "/" + key));
            ++keys;
        }
    }
    QCOMPARE(keys, int(std::size(s::kAll)));
}

void TestMonitorSettings::pauseKeepsTheProgramResponsive() {
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    PauseMs(30);
    QVERIFY(fired);                 // events run during the wait
    QVERIFY(clock.elapsed() >= 30); // and it does wait its time
    PauseMs(-5);                    // returns at once
}

QTEST_GUILESS_MAIN(TestMonitorSettings)
#include "settings_test.moc"
