// Record stores: trimming rules, which store gets which row, clock reads, and how files
// that are not ours are treated.
#include "record_format.h"
#include "record_stores.h"
#include "support/stderr_capture.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using brightlock::RecordStores;
using brightlock::Store;

namespace {

// Each read of the clock advances it, so the test sees which reads made which field.
struct SteppingClock {
    QDateTime next = QDateTime(QDate(2024, 5, 1), QTime(8, 0, 0));
    int stepMs = 1000;
    QDateTime read() {
        const QDateTime now = next;
        next = next.addMSecs(stepMs);
        return now;
    }
};

QList<QStringList> rows(const RecordStores& stores, Store store, const QString& order = "rowid") {
    QSqlQuery query(QSqlDatabase::database(stores.connectionName(store)));
    if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(stores.tableName(store), order)))
        return {};
    QList<QStringList> result;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i).toString();
        result << row;
    }
    return result;
}

QStringList column(const QList<QStringList>& table, int position) {
    QStringList values;
    for (const QStringList& row : table)
        values << row.value(position);
    return values;
}

void execOn(const QString& path, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fixture");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        for (const QString& sql : statements) {
            QSqlQuery query(db);
            QVERIFY2(query.exec(sql), qPrintable(sql));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    SteppingClock clock_;
    std::unique_ptr<RecordStores> stores_;

    RecordStores& bound() {
        stores_ = std::make_unique<RecordStores>(dir_->path(), [this] { return clock_.read(); });
        stores_->bind();
        return *stores_;
    }
    void fill(Store store, int rows) {
        for (int i = 1; i <= rows; ++i) {
            if (store == Store::Closed)
                stores_->importClosedApplication("2024-01-01", "10:00:00", QString("app %1").arg(i), "f");
            else
                stores_->appendEvent(QString("row %1").arg(i));
        }
    }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        clock_ = {};
    }
    void cleanup() { stores_.reset(); }

    // Another program holding a write transaction on the record file costs a dropped
    // record and one line on standard error, not SQLite's usual 5 s wait per row.
    void recordFileHeldByAnotherWriter() {
        RecordStores& stores = bound();
        {
            QSqlQuery timeout(QSqlDatabase::database(stores.connectionName(Store::Log)));
            QVERIFY(timeout.exec("PRAGMA busy_timeout") && timeout.next());
            QVERIFY2(timeout.value(0).toInt() <= 500, qPrintable(timeout.value(0).toString()));
        }
        {
            QSqlDatabase holder = QSqlDatabase::addDatabase("QSQLITE", "holder");
            holder.setDatabaseName(dir_->filePath(RecordStores::eventFileName()));
            QVERIFY(holder.open());
            QSqlQuery hold(holder);
            QVERIFY(hold.exec("BEGIN IMMEDIATE") &&
                    hold.exec("INSERT INTO record VALUES ('d', 't', 'theirs')"));
            StderrCapture err;
            QSignalSpy failed(&stores, &RecordStores::failed);
            stores.appendEvent("Attention!! System Power Failed");
            QCOMPARE(failed.count(), 0); // no message box in the closer's way
            QCOMPARE(err.text().count("brightlock: record \"Attention!! System Power Failed\" not written"),
                     2);
            QVERIFY(hold.exec("COMMIT"));
        }
        QSqlDatabase::removeDatabase("holder");
        stores.appendEvent("System AC Power Recovered");
        QCOMPARE(column(rows(stores, Store::Log), 2), (QStringList{"theirs", "System AC Power Recovered"}));
        QCOMPARE(stores.count(Store::Ups), 1);
    }

    void pollTrimAtLimitThenPageTrimKeepsAll() {
        RecordStores& stores = bound();
        fill(Store::Log, 100);
        stores.trimStep(Store::Log, 100);
        QCOMPARE(stores.count(Store::Log), 99);
        QCOMPARE(column(rows(stores, Store::Log), 2).first(), QString("row 2"));
        stores.trimToLimit(Store::Log, 100);
        QCOMPARE(stores.count(Store::Log), 99);
        stores.trimStep(Store::Log, 100);
        QCOMPARE(stores.count(Store::Log), 99);
    }

    void farAboveLimitShrinksOneRowPerPollUntilPageOpens() {
        RecordStores& stores = bound();
        fill(Store::Ups, 150);
        QSignalSpy changed(&stores, &RecordStores::changed);
        stores.trimStep(Store::Ups, 100);
        stores.trimStep(Store::Ups, 100);
        QCOMPARE(stores.count(Store::Ups), 148);
        QCOMPARE(changed.count(), 2);
        stores.trimToLimit(Store::Ups, 100);
        QCOMPARE(stores.count(Store::Ups), 100);
        const QStringList texts = column(rows(stores, Store::Ups), 2);
        QCOMPARE(texts.first(), QString("row 51"));
        QCOMPARE(texts.last(), QString("row 150"));
        QCOMPARE(stores.count(Store::Log), 150);
    }

    void emptyStoreAndLimitsBelowOneNeverTrimmed() {
        RecordStores& stores = bound();
        QSignalSpy changed(&stores, &RecordStores::changed);
        for (const Store store : {Store::Log, Store::Ups, Store::Closed}) {
            stores.trimStep(store, 1);
            stores.trimToLimit(store, 1);
            QCOMPARE(stores.count(store), 0);
        }
        QCOMPARE(changed.count(), 0);

        stores.appendProgramStart();
        for (const int limit : {0, -5}) {
            stores.trimStep(Store::Log, limit);
            stores.trimToLimit(Store::Log, limit);
        }
        QCOMPARE(stores.count(Store::Log), 1);
        stores.trimStep(Store::Log, 1);
        QCOMPARE(stores.count(Store::Log), 0);
    }

    void startAndQuitInLogOnlyEventsInBothLogFirst() {
        RecordStores& stores = bound();
        QSignalSpy changed(&stores, &RecordStores::changed);
        stores.appendProgramStart();
        stores.appendEvent("Attention!! System Power Failed");
        stores.appendProgramQuit();

        QCOMPARE(column(rows(stores, Store::Log), 2),
                 QStringList({"Program start", "Attention!! System Power Failed", "Program quit"}));
        QCOMPARE(column(rows(stores, Store::Ups), 2), QStringList({"Attention!! System Power Failed"}));
        QCOMPARE(changed.count(), 4);
        QCOMPARE(changed.at(1).at(0).value<Store>(), Store::Log);
        QCOMPARE(changed.at(2).at(0).value<Store>(), Store::Ups);
        // Each row reads the clock for its date and again for its time.
        QCOMPARE(rows(stores, Store::Log).at(1).mid(0, 2), QStringList({"2024-05-01", "08:00:03"}));
        QCOMPARE(rows(stores, Store::Ups).at(0).mid(0, 2), QStringList({"2024-05-01", "08:00:05"}));
    }

    void rowAtMidnightPairsOldDateWithNewTime() {
        clock_.next = QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 600));
        clock_.stepMs = 500;
        RecordStores& stores = bound();
        stores.appendEvent("System AC Power Recovered");
        QCOMPARE(rows(stores, Store::Log).at(0).mid(0, 2), QStringList({"2024-12-31", "00:00:00"}));
        QCOMPARE(rows(stores, Store::Ups).at(0).mid(0, 2), QStringList({"2025-01-01", "00:00:01"}));
    }

    void closedApplicationsTrimByDateAndStoreSortableDates() {
        RecordStores& stores = bound();
        const QString localDate = QLocale::system().toString(QDate(2024, 2, 3), QLocale::ShortFormat);
        QVERIFY(stores.importClosedApplication("2024-11-05", "09:00:00", "Editor - notes", "/a/SaveClose1"));
        QVERIFY(stores.importClosedApplication(localDate, "10:00:00", "Sheet", "/a/SaveClose2"));
        QVERIFY(stores.importClosedApplication("2024-10-01", "11:00:00", "Draw", "/a/SaveClose3"));

        QCOMPARE(rows(stores, Store::Closed, "Date").at(0),
                 QStringList({"2024-02-03", "10:00:00", "Sheet", "/a/SaveClose2"}));
        stores.trimStep(Store::Closed, 3);
        QCOMPARE(column(rows(stores, Store::Closed, "Date"), 2), QStringList({"Draw", "Editor - notes"}));
        QSignalSpy changed(&stores, &RecordStores::changed);
        stores.clear(Store::Closed);
        QCOMPARE(stores.count(Store::Closed), 0);
        QCOMPARE(changed.count(), 1);
    }

    void datesAndTimesRoundTripThroughLocales() {
        const QDate date(2031, 7, 9);
        const QTime time(17, 5, 0);
        for (const QLocale& locale : {QLocale::system(), QLocale()}) {
            QCOMPARE(brightlock::normalizedDate(locale.toString(date, QLocale::ShortFormat)), "2031-07-09");
            QCOMPARE(brightlock::normalizedTime(locale.toString(time, QLocale::ShortFormat)), "17:05:00");
        }
        QCOMPARE(brightlock::normalizedDate("sometime"), "sometime");
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(brightlock::displayDate("2031-07-09", german), german.toString(date, QLocale::ShortFormat));
        QCOMPARE(brightlock::displayTime("17:05:00", german), german.toString(time, QLocale::ShortFormat));
        QCOMPARE(brightlock::displayDate("09.07.31", german), "09.07.31");
    }

    void filesThatAreNotDatabasesAreReportedOnceAndLeftIntact() {
        const QString eventPath = dir_->filePath("EventRecord.mdb");
        QByteArray bytes("Not a database at all\n");
        for (int i = 0; i < 4096; ++i)
            bytes.append(char(i * 7));
        QFile file(eventPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QVERIFY(QDir(dir_->path()).mkdir("CloseAppRecord.mdb"));

        stores_ = std::make_unique<RecordStores>(dir_->path());
        QSignalSpy unavailable(stores_.get(), &RecordStores::storeUnavailable);
        stores_->bind();
        stores_->bind();
        QCOMPARE(unavailable.count(), 2);
        QVERIFY(unavailable.at(0).at(0).toString().contains(eventPath));
        QVERIFY(unavailable.at(1).at(0).toString().contains("CloseAppRecord.mdb"));

        for (const Store store : {Store::Log, Store::Ups, Store::Closed})
            QVERIFY(!stores_->isAvailable(store));
        stores_->appendProgramStart();
        stores_->appendEvent("Attention!! UPS Battery Low");
        stores_->trimStep(Store::Log, 1);
        stores_->trimToLimit(Store::Ups, 1);
        stores_->clear(Store::Log);
        QVERIFY(!stores_->importClosedApplication("2024-01-01", "10:00:00", "x", "y"));
        QCOMPARE(stores_->count(Store::Log), 0);
        QVERIFY(stores_->connectionName(Store::Log).isEmpty());
        stores_.reset();

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"CloseAppRecord.mdb", "EventRecord.mdb"}));
    }

    void existingDatabaseKeepsItsTablesAndGetsOursWrittenByPosition() {
        const QString eventPath = dir_->filePath("EventRecord.mdb");
        execOn(eventPath, {"CREATE TABLE record (d, t, what, extra)", "CREATE TABLE notes (x)",
                           "INSERT INTO notes VALUES ('kept')", "CREATE TABLE upsevent (only_one)"});

        stores_ = std::make_unique<RecordStores>(dir_->path(), [this] { return clock_.read(); });
        QSignalSpy unavailable(stores_.get(), &RecordStores::storeUnavailable);
        stores_->bind();
        QCOMPARE(unavailable.count(), 1);
        QVERIFY(unavailable.at(0).at(0).toString().contains("UpsEvent"));
        QVERIFY(stores_->isAvailable(Store::Log));
        QVERIFY(!stores_->isAvailable(Store::Ups));
        QVERIFY(stores_->isAvailable(Store::Closed));

        stores_->appendEvent("Attention!! System Power Failed");
        QCOMPARE(rows(*stores_, Store::Log),
                 QList<QStringList>({{"2024-05-01", "08:00:01", "Attention!! System Power Failed", ""}}));
        QSqlQuery notes(QSqlDatabase::database(stores_->connectionName(Store::Log)));
        QVERIFY(notes.exec("SELECT x FROM notes") && notes.next());
        QCOMPARE(notes.value(0).toString(), "kept");
    }

    void writesAreDurable() {
        RecordStores& stores = bound();
        QSqlQuery query(QSqlDatabase::database(stores.connectionName(Store::Log)));
        QVERIFY(query.exec("PRAGMA journal_mode") && query.next());
        QCOMPARE(query.value(0).toString(), "wal");
        QVERIFY(query.exec("PRAGMA synchronous") && query.next());
        QCOMPARE(query.value(0).toInt(), 2); // FULL
        fill(Store::Log, 3);
        // The records name the user's applications and files: theirs alone to read.
        for (const char* file : {"EventRecord.mdb", "EventRecord.mdb-wal", "CloseAppRecord.mdb"})
            QCOMPARE(QFileInfo(dir_->filePath(file)).permissions() & 0x0777,
                     QFile::ReadUser | QFile::WriteUser);
        stores_ = std::make_unique<RecordStores>(dir_->path());
        stores_->bind();
        QCOMPARE(stores_->count(Store::Log), 3);
        QCOMPARE(stores_->count(Store::Ups), 3);
    }
};

QTEST_GUILESS_MAIN(RecordsTest)
#include "records_test.moc"
