// A writer killed with SIGKILL at a random moment leaves a sound database that holds
// every row it reported as committed.
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class RecordsKillTest : public QObject {
    Q_OBJECT

private slots:
    void committedRowsSurviveKill() {
        QTemporaryDir dir;
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        qInfo("seed %u", seed);

        for (int round = 1; round <= 3; ++round) {
            const QString prefix = QStringLiteral("round%1").arg(round);
            QProcess writer;
            writer.start(RECORDS_WRITER, {dir.path(), prefix});
            QVERIFY(writer.waitForStarted());
            QVERIFY2(writer.waitForReadyRead(10000), "the writer reported no row");
            QTest::qWait(int(random.bounded(800u)));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            const QList<QByteArray> lines = writer.readAllStandardOutput().split('\n');
            int reported = 0;
            for (const QByteArray& line : lines) {
                if (!line.isEmpty() && &line != &lines.last())
                    reported = line.toInt();
            }
            QVERIFY(reported > 0);
            qInfo("round %d: killed after %d reported events", round, reported);
            checkDatabase(dir.filePath("EventRecord.mdb"), prefix, reported);
        }
    }

private:
    void checkDatabase(const QString& path, const QString& prefix, int reported) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery query(db);
            QVERIFY(query.exec("PRAGMA integrity_check") && query.next());
            QCOMPARE(query.value(0).toString(), "ok");
            for (const char* table : {"record", "UpsEvent"}) {
                QVERIFY(query.exec(
                    QStringLiteral("SELECT Event FROM %1 WHERE Event LIKE '%2 %'").arg(table, prefix)));
                QSet<QString> texts;
                while (query.next())
                    texts.insert(query.value(0).toString());
                for (int i = 1; i <= reported; ++i)
                    QVERIFY2(
                        texts.contains(QStringLiteral("%1 %2").arg(prefix).arg(i)),
                        qPrintable(QStringLiteral("%1: row %2 of %3 lost").arg(table).arg(i).arg(reported)));
                QVERIFY(texts.size() <= reported + 1);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("check");
    }
};

QTEST_GUILESS_MAIN(RecordsKillTest)
#include "records_kill_test.moc"
