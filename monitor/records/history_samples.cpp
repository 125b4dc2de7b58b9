// The History table of EventRecord.mdb; see history_samples.h.
#include "history_samples.h"

#include "log_categories.h"
#include "record_file.h"
#include "record_stores.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <sqlite3.h>

namespace brightlock {
namespace {

struct StateName {
    PowerState state;
    const char* name;
};
constexpr StateName kStateNames[] = {
    {PowerState::OnLine, "online"},
    {PowerState::OnBattery, "onbattery"},
    {PowerState::LowBattery, "lowbattery"},
    {PowerState::NoAnswer, "noanswer"},
};

QString uniqueConnectionName() {
    static std::atomic<int> next{0};
    return QStringLiteral("brightlock.history.%1").arg(next++);
}

template <typename T> QVariant orNull(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

template <typename T> std::optional<T> fromColumn(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    return value.value<T>();
}

} // namespace

QString powerStateName(PowerState state) {
    for (const StateName& n : kStateNames)
        if (n.state == state)
            return QString::fromLatin1(n.name);
    return {};
}

std::optional<PowerState> powerStateFromName(const QString& name) {
    for (const StateName& n : kStateNames)
        if (name == QLatin1String(n.name))
            return n.state;
    return std::nullopt;
}

HistoryStore::HistoryStore() = default;

HistoryStore::~HistoryStore() {
    if (file_ || !QSqlDatabase::contains(connection_))
        return; // the record file closes its own connection
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

QString HistoryStore::open(const QString& dir) {
    connection_ = uniqueConnectionName();
    file_ = std::make_unique<RecordFile>(QDir(dir).filePath(RecordStores::eventFileName()), connection_);
    QString problem = file_->open();
    if (problem.isEmpty())
        problem = attach(true);
    open_ = problem.isEmpty();
    if (!open_)
        qCWarning(lcRecords) << "no battery history in" << dir << ":" << problem;
    return problem;
}

QString HistoryStore::openToRead(const QString& path) {
    if (!QFileInfo(path).isFile())
        return QStringLiteral("there is no record file %1").arg(QDir::toNativeSeparators(path));
    connection_ = uniqueConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    if (!db.isValid())
        return QStringLiteral("the SQLite driver of Qt SQL is not installed");
    db.setDatabaseName(path);
    // The monitor may be writing: wait for its short transactions instead of failing.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return QStringLiteral("%1 cannot be opened: %2").arg(path, db.lastError().text());
    const QString problem = attach(false);
    open_ = problem.isEmpty();
    return problem;
}

QString HistoryStore::attach(bool create) {
    const QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (create) {
        QString error =
            execStatement(db, QStringLiteral("CREATE TABLE IF NOT EXISTS History (Time INTEGER NOT "
                                             "NULL, State TEXT NOT NULL, Charge INTEGER, Runtime "
                                             "INTEGER, Load INTEGER, Voltage REAL)"));
        if (error.isEmpty())
            error = execStatement(
                db, QStringLiteral("CREATE INDEX IF NOT EXISTS HistoryByTime ON History (Time)"));
        return error;
    }
    // A record file from before the history, or one the monitor has not yet written: an
    // empty history, not a failure.
    QString found;
    const QString error = execStatement(
        db, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'History'"),
        &found);
    if (!error.isEmpty())
        return QStringLiteral("it cannot be read: %1").arg(error);
    hasTable_ = found == QLatin1String("1");
    return {};
}

bool HistoryStore::append(const HistorySample& sample, qint64 keepFrom) {
    if (!open_ || !file_)
        return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        qCWarning(lcRecords) << "history: cannot begin:" << db.lastError().text();
        return false;
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO History VALUES (?, ?, ?, ?, ?, ?)"));
    const PowerReading& r = sample.reading;
    insert.addBindValue(sample.time);
    insert.addBindValue(powerStateName(r.state));
    insert.addBindValue(orNull(r.chargePercent));
    insert.addBindValue(orNull(r.runtimeSeconds));
    insert.addBindValue(orNull(r.loadPercent));
    insert.addBindValue(orNull(r.inputVoltage));
    QSqlQuery trim(db);
    trim.prepare(QStringLiteral("DELETE FROM History WHERE Time < ?"));
    trim.addBindValue(keepFrom);
    if (!insert.exec() || !trim.exec() || !db.commit()) {
        const QString error = insert.lastError().isValid() ? insert.lastError().text()
                              : trim.lastError().isValid() ? trim.lastError().text()
                                                           : db.lastError().text();
        qCWarning(lcRecords) << "history: a sample was not stored:" << error;
        db.rollback();
        return false;
    }
    return true;
}

bool HistoryStore::forEach(qint64 from, qint64 to,
                           const std::function<void(const HistorySample&)>& each) const {
    if (!open_)
        return false;
    if (!file_ && !hasTable_)
        return true;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT Time, State, Charge, Runtime, Load, Voltage FROM History WHERE Time >= ? "
                       "AND Time < ? ORDER BY Time"));
    query.addBindValue(from);
    query.addBindValue(to);
    if (!query.exec()) {
        qCWarning(lcRecords) << "history: cannot read:" << query.lastError().text();
        return false;
    }
    HistorySample s;
    while (query.next()) {
        s.time = query.value(0).toLongLong();
        // A state word this program does not know (a later version's) reads as no answer.
        s.reading.state = powerStateFromName(query.value(1).toString()).value_or(PowerState::NoAnswer);
        s.reading.chargePercent = fromColumn<int>(query.value(2));
        s.reading.runtimeSeconds = fromColumn<qint64>(query.value(3));
        s.reading.loadPercent = fromColumn<int>(query.value(4));
        s.reading.inputVoltage = fromColumn<double>(query.value(5));
        each(s);
    }
    return true;
}

QVector<HistorySample> HistoryStore::read(qint64 from, qint64 to) const {
    QVector<HistorySample> samples;
    forEach(from, to, [&samples](const HistorySample& s) { samples.append(s); });
    return samples;
}

// Read through SQLite's own interface: the rows of a month cost a few milliseconds there,
// and several times that through Qt SQL's values (and an SQL GROUP BY sorts them first).
bool HistoryStore::forEachSlice(qint64 from, qint64 to, qint64 sliceSeconds,
                                const std::function<void(const Slice&)>& each) const {
    if (!open_)
        return false;
    if (!file_ && !hasTable_)
        return true;
    const QVariant handle = QSqlDatabase::database(connection_, false).driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* db = *static_cast<sqlite3* const*>(handle.data());
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(
            db,
            "SELECT Time, State, Charge, Runtime, Load, Voltage FROM History WHERE Time >= ?1 AND "
            "Time < ?2 ORDER BY Time",
            -1, &statement, nullptr) != SQLITE_OK) {
        qCWarning(lcRecords) << "history: cannot read:" << sqlite3_errmsg(db);
        return false;
    }
    sqlite3_bind_int64(statement, 1, from);
    sqlite3_bind_int64(statement, 2, to);
    const qint64 width = std::max<qint64>(sliceSeconds, 1);
    Slice s;
    std::optional<qint64> open; // the slice being summed up
    auto lowest = [](std::optional<double>& at, double v) { at = at ? std::min(*at, v) : v; };
    auto highest = [](std::optional<double>& at, double v) { at = at ? std::max(*at, v) : v; };
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        const qint64 time = sqlite3_column_int64(statement, 0);
        const qint64 slice = (time - from) / width;
        if (open != slice) {
            if (open)
                each(s);
            s = Slice{};
            s.first = time;
            open = slice;
        }
        s.last = time;
        ++s.samples;
        for (int i = 0; i < 4; ++i) {
            if (sqlite3_column_type(statement, 2 + i) == SQLITE_NULL)
                continue;
            const double v = sqlite3_column_double(statement, 2 + i);
            lowest(s.low[size_t(i)], v);
            highest(s.high[size_t(i)], v);
        }
        const auto* state = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        const bool failed = state && (!std::strcmp(state, "onbattery") || !std::strcmp(state, "lowbattery"));
        std::optional<qint64>& first = failed ? s.firstFailed : s.firstOther;
        if (!first)
            first = time;
        (failed ? s.lastFailed : s.lastOther) = time;
    }
    if (open)
        each(s);
    const bool done = step == SQLITE_DONE;
    if (!done)
        qCWarning(lcRecords) << "history: cannot read:" << sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    return done;
}

int HistoryStore::count() const {
    if (!open_)
        return -1;
    if (!file_ && !hasTable_)
        return 0;
    QString n;
    if (!execStatement(QSqlDatabase::database(connection_, false),
                       QStringLiteral("SELECT count(*) FROM History"), &n)
             .isEmpty())
        return -1;
    return n.toInt();
}

} // namespace brightlock
