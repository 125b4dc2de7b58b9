// The monitor's three record stores: the log and the UPS events in EventRecord.mdb, the
// closed applications in CloseAppRecord.mdb (SQLite files under their historic names).
// A file that cannot be used is reported once and left alone; the monitor goes on without
// that store, whose operations then do nothing. A file that can only be read is reported
// once too; its stores show what they hold and take no changes.
#pragma once

#include "monitor/records/store.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

namespace brightlock {

class RecordFile;
class RecordTable;

class RecordStores : public QObject {
    Q_OBJECT
public:
    // dir: the application directory; now: the clock (tests inject one).
    explicit RecordStores(QString dir, std::function<QDateTime()> now = &QDateTime::currentDateTime,
                          QObject* parent = nullptr);
    ~RecordStores() override;

    // Opens or creates both files and their tables. Only the first call does anything.
    void bind();
    bool isAvailable(Store store) const;

    // Power events go to the log, then to the UPS events; each row is committed on return.
    void appendEvent(const QString& text);
    void appendProgramStart();
    void appendProgramQuit();

    // The poll's trim: when the store holds `limit` rows or more, delete its oldest row.
    void trimStep(Store store, int limit);
    // Opening a record page: delete oldest rows while the store holds more than `limit`.
    void trimToLimit(Store store, int limit);
    // A limit below 1 is not a limit the settings allow: both trims then delete nothing.

    void clear(Store store);
    int count(Store store) const;

    // One row of the closer's list; dates and times that can be read are stored in ISO form.
    bool importClosedApplication(const QString& date, const QString& time, const QString& application,
                                 const QString& savedFile);
    // Rows of the closer's list (date, time, application, saved file) with one commit, so a
    // long list costs one sync; a row that cannot be added is skipped. Returns the rows added.
    int importClosedApplications(const QList<QStringList>& rows);

    // A failed read or change of a store (a page's grid included), logged by the caller:
    // told once per store through failed().
    void reportFailure(Store store, const QString& error);

    // The Qt SQL connection and table of a store, for the record pages' models; the
    // connection name is empty while the store is unavailable.
    QString connectionName(Store store) const;
    QString tableName(Store store) const;
    // The record source that reads a store's whole table.
    QString tableSource(Store store) const;

    static QString eventFileName() { return QStringLiteral("EventRecord.mdb"); }
    static QString closedFileName() { return QStringLiteral("CloseAppRecord.mdb"); }

signals:
    void storeUnavailable(const QString& message);
    void failed(const QString& message);
    void changed(brightlock::Store store);

private:
    void bindFile(RecordFile& file, std::initializer_list<Store> stores);
    void appendRow(Store store, const QString& text);
    RecordTable* table(Store store) const;
    RecordTable* writableTable(Store store) const;

    QString dir_;
    std::function<QDateTime()> now_;
    std::unique_ptr<RecordFile> events_;
    std::unique_ptr<RecordFile> closed_;
    // After the files: prepared statements must be destroyed before their connections.
    std::array<std::unique_ptr<RecordTable>, 3> tables_;
    std::array<bool, 3> reported_{};
    std::array<bool, 3> readOnly_{};
    bool bound_ = false;
};

} // namespace brightlock
