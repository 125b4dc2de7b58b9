// RecordModel: a store's rows as a grid sees them, read from the database by its record
// source (the table, or the closed applications ordered by date) at every refresh, with
// the field names in the header row and stored dates and times in the user's locale.
#pragma once

#include <QSqlQueryModel>

namespace brightlock {

// The record source that lists the closed applications by date.
inline const QString kClosedAppsByDate = QStringLiteral("select * from closeapp order by Date  ");

class RecordModel : public QSqlQueryModel {
    Q_OBJECT
public:
    using QSqlQueryModel::QSqlQueryModel;

    // Runs `source` on the connection again and reads every row, so no statement stays
    // open between refreshes. The error text, empty on success or without a connection.
    QString refresh(const QString& connection, const QString& source);

    QVariant data(const QModelIndex& item, int role = Qt::DisplayRole) const override;
};

} // namespace brightlock
