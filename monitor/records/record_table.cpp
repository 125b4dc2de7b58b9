// Statements of one record table.
#include "record_table.h"

#include "log_categories.h"
#include "record_file.h"

#include <QSqlError>

namespace brightlock {

RecordTable::RecordTable(const RecordFile& file, TableLayout layout)
    : file_(file), layout_(std::move(layout)), insert_(file.database()), count_(file.database()),
      deleteOldest_(file.database()), clear_(file.database()) {}

QString RecordTable::attach() {
    const QSqlDatabase db = file_.database();
    const QString table = quotedIdentifier(layout_.name);
    QStringList definitions;
    for (const QString& column : layout_.columns)
        definitions << quotedIdentifier(column) + QLatin1String(" TEXT");
    // A file that can only be read is shown as it is: nothing is created in it.
    const bool readOnly = !file_.readOnlyReason().isEmpty();
    QString error = readOnly ? QString()
                             : execStatement(db, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                                                     .arg(table, definitions.join(QLatin1String(", "))));
    if (!error.isEmpty())
        return error;

    // A table made by someone else keeps its own column names; rows go in by position.
    QStringList existing;
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
        return info.lastError().text();
    while (info.next())
        existing << info.value(1).toString();
    if (existing.size() < layout_.columns.size())
        return QStringLiteral("it has %1 columns where %2 are needed")
            .arg(existing.size())
            .arg(layout_.columns.size());

    QStringList names;
    for (int i = 0; i < layout_.columns.size(); ++i)
        names << quotedIdentifier(existing.at(i));
    QString order = QStringLiteral("rowid");
    if (layout_.oldestByFirstColumn) {
        // The index keeps finding the oldest row by date free of a sort over the table.
        if (!readOnly)
            error = execStatement(
                db, QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                        .arg(quotedIdentifier(layout_.name + QLatin1String("_order")), table, names.first()));
        if (!error.isEmpty())
            return error;
        order = names.first() + QLatin1String(", rowid");
    }

    const QString placeholders = QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','));
    const struct {
        QSqlQuery& query;
        QString sql;
    } statements[] = {
        {insert_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, names.join(QLatin1Char(',')), placeholders)},
        {count_, QStringLiteral("SELECT count(*) FROM %1").arg(table)},
        {deleteOldest_,
         QStringLiteral("DELETE FROM %1 WHERE rowid IN (SELECT rowid FROM %1 ORDER BY %2 LIMIT ?)")
             .arg(table, order)},
        {clear_, QStringLiteral("DELETE FROM %1").arg(table)},
    };
    for (const auto& statement : statements) {
        if (!statement.query.prepare(statement.sql))
            return statement.query.lastError().text();
    }
    return {};
}

bool RecordTable::insert(const QStringList& values, bool report) {
    for (int i = 0; i < layout_.columns.size(); ++i)
        insert_.bindValue(i, values.value(i));
    return run(insert_, "insert", report);
}

int RecordTable::insertAll(const QList<QStringList>& rows) {
    QSqlDatabase db = file_.database();
    if (db.transaction()) {
        bool ok = true;
        for (const QStringList& row : rows) {
            if (!insert(row)) {
                ok = false;
                break;
            }
        }
        if (ok && db.commit())
            return int(rows.size());
        // Undo the rows of the transaction, whatever the engine already undid itself, so
        // that none goes in twice below.
        db.rollback();
    }
    int added = 0;
    for (const QStringList& row : rows)
        added += insert(row) ? 1 : 0;
    return added;
}

int RecordTable::count() const {
    if (!run(count_, "count"))
        return 0;
    const int rows = count_.next() ? count_.value(0).toInt() : 0;
    count_.finish(); // an open read would hold back WAL checkpoints
    return rows;
}

int RecordTable::deleteOldest(int rows) {
    if (rows <= 0)
        return 0;
    deleteOldest_.bindValue(0, rows);
    return run(deleteOldest_, "delete oldest") ? deleteOldest_.numRowsAffected() : 0;
}

int RecordTable::clear() {
    return run(clear_, "clear") ? clear_.numRowsAffected() : 0;
}

bool RecordTable::run(QSqlQuery& query, const char* what, bool report) const {
    if (query.exec())
        return true;
    const QString error = query.lastError().text();
    lastError_ = error;
    qCWarning(lcRecords) << what << "failed on" << layout_.name << "of" << file_.path() << ":" << error;
    if (report && onFailure)
        onFailure(error);
    return false;
}

} // namespace brightlock
