// What the closer leaves for the monitor, read back the way the monitor reads it: dates and
// times in the user's short formats that the save list's importer turns into its stored
// form, and save names that never reuse a file of an earlier shutdown.
#include "closer_files.h"
#include "hand_over.h"
#include "save_name.h"
#include "support/temp_home.h"

#include "record_format.h"

#include <QDir>
#include <QFile>
#include <QTest>

class HandOverTest : public QObject {
    Q_OBJECT
private slots:
    void datesAndTimesReadBackInEveryLocale_data();
    void datesAndTimesReadBackInEveryLocale();
    void saveNamesAreFresh();
};

void HandOverTest::datesAndTimesReadBackInEveryLocale_data() {
    QTest::addColumn<QString>("locale");
    for (const char* name : {"C", "en_US", "en_GB", "de_DE", "fr_FR", "nl_NL", "pl_PL", "ru_RU", "ja_JP",
                             "zh_CN", "ko_KR", "hu_HU", "fi_FI", "ar_EG", "fa_IR", "hi_IN"})
        QTest::newRow(name) << QString(name);
}

void HandOverTest::datesAndTimesReadBackInEveryLocale() {
    QFETCH(QString, locale);
    TempHome home;
    brightlock::ProfileFiles files;
    const QLocale writer(locale);
    const QDateTime when(QDate(2031, 12, 9), QTime(21, 7, 45));
    brightlock::writeSaveRecord(files, "3", when, writer, home.path() + "/Save/SaveClose12");

    // The monitor runs in the same locale.
    const QLocale before;
    QLocale::setDefault(writer);
    const QString date = brightlock::normalizedDate(files.readList("Date", "3"));
    const QString time = brightlock::normalizedTime(files.readList("Time", "3"));
    QLocale::setDefault(before);
    QCOMPARE(date, QString("2031-12-09"));
    QCOMPARE(time.left(5), QString("21:07"));
    QCOMPARE(files.readList("SaveAppFileName", "3"), home.path() + "/Save/SaveClose12");
}

// A number already on a file, with or without an extension the application added, or
// handed out earlier in the run, is drawn again.
void HandOverTest::saveNamesAreFresh() {
    TempHome home;
    brightlock::ProfileFiles files;
    brightlock::startList(files, home.path());
    const QString folder = brightlock::saveFolder(home.path());
    QVERIFY(QDir(folder).exists());
    for (const char* name : {"SaveClose5", "SaveClose6.txt"}) {
        QFile f(folder + "/" + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QList<int> draws{5, 6, 7, 70};
    const auto draw = [&] { return draws.takeFirst(); };
    QCOMPARE(brightlock::freshSavePath(folder, draw, {}), folder + "/SaveClose7");
    draws = {5, 7, 70};
    QCOMPARE(brightlock::freshSavePath(folder, draw, {folder + "/SaveClose7"}), folder + "/SaveClose70");

    // Always the same number: the first free one is taken instead.
    QCOMPARE(brightlock::freshSavePath(folder, [] { return 5; }, {}), folder + "/SaveClose0");
}

QTEST_GUILESS_MAIN(HandOverTest)
#include "hand_over_test.moc"
