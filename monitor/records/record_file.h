// One record database file on its own Qt SQL connection, opened for durable writes.
#pragma once

#include <QSqlDatabase>
#include <QString>

namespace brightlock {

class RecordFile {
public:
    // How long a statement waits for another program's write to end: records are written
    // on the window thread, and a record file held by someone else must never delay the
    // poll or the shutdown. The opening check alone waits SQLite's usual 5 s.
    static constexpr int kBusyTimeoutMs = 250;

    RecordFile(QString path, QString connectionName);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens the file, creating an empty database when it is missing. Returns an empty
    // string on success, else why the file cannot be used, in the user's terms (the folder
    // is missing, is a file, is not writable). A file that is not a sound, writable SQLite
    // database is left exactly as it was. A sound database that cannot be written (its
    // folder or the file is read-only) is opened for reading only: open() succeeds and
    // readOnlyReason() says why nothing can be added.
    QString open();

    bool isOpen() const { return open_; }
    const QString& readOnlyReason() const { return readOnlyReason_; }
    const QString& path() const { return path_; }
    const QString& connectionName() const { return connectionName_; }
    QSqlDatabase database() const;

private:
    QString check(QSqlDatabase& db);
    // Why the folder or the missing file rules the file out; empty when it does not.
    QString folderProblem(bool& writable) const;
    QString openReadOnly(QSqlDatabase& db, const QString& why);

    QString path_;
    QString connectionName_;
    bool open_ = false;
    QString readOnlyReason_;
};

// Runs one statement without parameters; the error text, empty on success.
QString execStatement(const QSqlDatabase& db, const QString& sql, QString* firstValue = nullptr);

// A name quoted for use as an SQL identifier.
QString quotedIdentifier(const QString& name);

} // namespace brightlock
