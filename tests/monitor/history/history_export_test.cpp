// `Brightlock --export-history FILE` as a user runs it beside a running monitor: the
// monitor's instance lock held and a write of its own under way on the record file.
#include "app_paths.h"
#include "history_samples.h"
#include "single_instance.h"
#include "support/temp_home.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace brightlock;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

// The program without a display, as from a cron job or a shell over ssh.
Run exportHistory(const QString& file) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("BRIGHTLOCK_DIST") + "/Brightlock", {"--export-history", file});
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString eventFile(const TempHome& home) {
    return QDir(home.path()).filePath("EventRecord.mdb");
}

} // namespace

class TestHistoryExport : public QObject {
    Q_OBJECT
private slots:
    void whileTheMonitorRuns() {
        TempHome home;
        const qint64 t = 1767225600; // 2026-01-01 00:00:00 UTC
        {
            HistoryStore store;
            QVERIFY(store.open(home.path()).isEmpty());
            QVERIFY(store.append({t, {PowerState::OnLine, 100, 1800, 23, 229.5}}, 0));
            QVERIFY(store.append({t + 61, {PowerState::OnBattery, 80, 900, {}, 0.0}}, 0));
            QVERIFY(store.append({t + 122, {PowerState::NoAnswer, {}, {}, {}, {}}}, 0));
        }
        SingleInstance monitor(instanceScope(ApplicationDirectory()));
        QVERIFY(monitor.acquire());
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "writer");
        db.setDatabaseName(eventFile(home));
        QVERIFY(db.open());
        QSqlQuery write(db);
        QVERIFY(write.exec("BEGIN IMMEDIATE"));
        QVERIFY(write.exec(QString("INSERT INTO History VALUES (%1, 'online', 1, 1, 1, 1)").arg(t + 183)));

        const QString file = QDir(home.path()).filePath("history.csv");
        const Run run = exportHistory(file);
        QVERIFY(write.exec("ROLLBACK"));
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray csv = f.readAll();
        const QStringList rows = QString::fromUtf8(csv).split('\n');
        QCOMPARE(rows.size(), 5); // the header, three samples, the empty rest after the last newline
        QCOMPARE(rows[0], QString("time,state,charge_percent,runtime_seconds,load_percent,input_voltage"));
        const QStringList expected = {"online,100,1800,23,229.5", "onbattery,80,900,,0.0", "noanswer,,,,"};
        for (int i = 0; i < 3; ++i) {
            const QString time = rows[i + 1].section(',', 0, 0);
            QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d)$")
                         .match(time)
                         .hasMatch(),
                     qPrintable(time));
            QCOMPARE(QDateTime::fromString(time, Qt::ISODate).toSecsSinceEpoch(), t + 61 * i);
            QCOMPARE(rows[i + 1].section(',', 1), expected[i]);
        }
        QVERIFY(rows[4].isEmpty());

        // The same to standard output; and the export touched no table of the monitor.
        QCOMPARE(exportHistory("-").out, csv);
        QCOMPARE(db.tables(), QStringList{"History"});
        db.close();
    }

    // No record file: an error, and no file left behind to be taken for an empty history.
    void withoutRecords() {
        TempHome home;
        const QString file = QDir(home.path()).filePath("history.csv");
        const Run run = exportHistory(file);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("no record file"), run.err.constData());
        QVERIFY(!QFile::exists(file));
        QVERIFY(!QFile::exists(eventFile(home)));
    }
};

QTEST_GUILESS_MAIN(TestHistoryExport)
#include "history_export_test.moc"
