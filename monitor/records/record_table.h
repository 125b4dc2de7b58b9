// One record table: created when missing, written by field position, trimmed from its
// oldest row. Every statement is prepared once, so the poll's calls stay cheap.
#pragma once

#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <functional>

namespace brightlock {

class RecordFile;

struct TableLayout {
    QString name;
    QStringList columns;      // names used when the table is created; rows fill positions 0..n-1
    bool oldestByFirstColumn; // oldest = first in order of column 0, else first inserted
};

class RecordTable {
public:
    RecordTable(const RecordFile& file, TableLayout layout);

    // Creates the table when missing and prepares the statements; an empty string on
    // success, else why the table cannot be used.
    QString attach();

    // Each call is one committed transaction; failures are logged and, when `report`,
    // passed to onFailure.
    bool insert(const QStringList& values, bool report = true);
    // Many rows with one commit; when that fails, row by row, skipping rows that fail.
    // Returns the rows added.
    int insertAll(const QList<QStringList>& rows);
    int count() const;          // 0 when it cannot be counted
    int deleteOldest(int rows); // rows deleted
    int clear();                // rows deleted

    const QString& name() const { return layout_.name; }
    // The database's error text of the last statement that failed.
    const QString& lastError() const { return lastError_; }

    // Called with the database's error text when a statement fails.
    std::function<void(const QString& error)> onFailure;

private:
    bool run(QSqlQuery& query, const char* what, bool report = true) const;

    const RecordFile& file_;
    TableLayout layout_;
    QSqlQuery insert_;
    mutable QSqlQuery count_;
    QSqlQuery deleteOldest_;
    QSqlQuery clear_;
    mutable QString lastError_;
};

} // namespace brightlock
