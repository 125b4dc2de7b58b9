// Record grid model; see record_model.h.
#include "record_model.h"

#include "record_format.h"

#include <QSqlError>
#include <QSqlQuery>

namespace brightlock {

QString RecordModel::refresh(const QString& connection, const QString& source) {
    if (connection.isEmpty()) {
        clear();
        return {};
    }
    setQuery(source, QSqlDatabase::database(connection, false));
    if (lastError().isValid())
        return lastError().text();
    // A statement read to its end holds no read transaction, which would keep the
    // write-ahead log from being checkpointed while the grid is shown.
    while (canFetchMore())
        fetchMore();
    return lastError().isValid() ? lastError().text() : QString();
}

QVariant RecordModel::data(const QModelIndex& item, int role) const {
    const QVariant value = QSqlQueryModel::data(item, role);
    if (role != Qt::DisplayRole || item.column() > 1)
        return value;
    // Columns 0 and 1 hold the date and the time in every store.
    const QString stored = value.toString();
    return item.column() == 0 ? displayDate(stored) : displayTime(stored);
}

} // namespace brightlock
