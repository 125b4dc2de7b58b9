// Opening a record database: checks that only read come first, so a file that is not ours
// is never written; then write-ahead logging with full syncs, so a committed row survives
// a killed process or a power loss.
#include "record_file.h"

#include "log_categories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace brightlock {

RecordFile::RecordFile(QString path, QString connectionName)
    : path_(std::move(path)), connectionName_(std::move(connectionName)) {}

RecordFile::~RecordFile() {
    if (!QSqlDatabase::contains(connectionName_))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase RecordFile::database() const {
    return QSqlDatabase::database(connectionName_, false);
}

QString RecordFile::folderProblem(bool& writable) const {
    const QString folder = QFileInfo(path_).absolutePath();
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(folder);
    if (!info.exists())
        return QStringLiteral("the folder \"%1\" does not exist").arg(shown);
    if (!info.isDir())
        return QStringLiteral("\"%1\" is a file, not a folder").arg(shown);
    writable = ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
    if (!QFileInfo::exists(path_) && !writable)
        return QStringLiteral("the folder \"%1\" is not writable, so the file cannot be created").arg(shown);
    return {};
}

QString RecordFile::open() {
    const QFileInfo info(path_);
    bool folderWritable = false;
    if (QString problem = folderProblem(folderWritable); !problem.isEmpty())
        return problem;
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is not a regular file");
    if (info.exists() && !info.isReadable())
        return QStringLiteral("it cannot be read");

    if (!info.exists()) {
        // SQLite would create the file readable by everyone; the records name the user's
        // applications and files. Its journal files take the same permissions.
        const int fd = ::open(QFile::encodeName(path_).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return QStringLiteral("it cannot be created: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
    }

    QSqlDatabase db = QSqlDatabase::contains(connectionName_)
                          ? QSqlDatabase::database(connectionName_, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    if (!db.isValid())
        return QStringLiteral("the SQLite driver of Qt SQL is not installed");

    // SQLite keeps its write-ahead log beside the file: without a writable folder it could
    // neither write nor, in the usual case, even read. What the file holds can still be shown.
    if (!folderWritable)
        return openReadOnly(db, QStringLiteral("the folder \"%1\" is not writable")
                                    .arg(QDir::toNativeSeparators(info.absolutePath())));
    if (!QFileInfo(path_).isWritable())
        return openReadOnly(db, QStringLiteral("the file is read-only"));

    db.setDatabaseName(path_);
    if (!db.open())
        return QStringLiteral("it cannot be opened: %1").arg(db.lastError().text());
    const QString problem = check(db);
    if (!problem.isEmpty()) {
        db.close();
        return problem;
    }
    execStatement(db, QStringLiteral("PRAGMA busy_timeout=%1").arg(kBusyTimeoutMs));
    open_ = true;
    return {};
}

QString RecordFile::openReadOnly(QSqlDatabase& db, const QString& why) {
    // Immutable: nothing may be created beside the file, and nobody can write it meanwhile.
    QUrl url = QUrl::fromLocalFile(QFileInfo(path_).absoluteFilePath());
    url.setQuery(QStringLiteral("immutable=1"));
    db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
    if (!db.open())
        return QStringLiteral("%1, and it cannot be opened for reading: %2").arg(why, db.lastError().text());
    QString verdict;
    const QString error = execStatement(db, QStringLiteral("PRAGMA quick_check"), &verdict);
    if (!error.isEmpty() || verdict != QLatin1String("ok")) {
        db.close();
        return QStringLiteral("%1, and it is not a sound SQLite database: %2")
            .arg(why, error.isEmpty() ? verdict : error);
    }
    readOnlyReason_ = why;
    open_ = true;
    return {};
}

QString RecordFile::check(QSqlDatabase& db) {
    QString verdict;
    QString error = execStatement(db, QStringLiteral("PRAGMA quick_check"), &verdict);
    if (!error.isEmpty())
        return QStringLiteral("it is not an SQLite database or cannot be read: %1").arg(error);
    if (verdict != QLatin1String("ok"))
        return QStringLiteral("the database is damaged: %1").arg(verdict);

    // Fails on a read-only file that is not yet in WAL mode; the probe below catches the rest.
    QString mode;
    error = execStatement(db, QStringLiteral("PRAGMA journal_mode=WAL"), &mode);
    if (!error.isEmpty())
        return QStringLiteral("it cannot be written: %1").arg(error);
    if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        qCWarning(lcRecords) << path_ << "stays in journal mode" << mode;
    error = execStatement(db, QStringLiteral("PRAGMA synchronous=FULL"));
    if (!error.isEmpty())
        return QStringLiteral("it cannot be set up: %1").arg(error);

    error = execStatement(db, QStringLiteral("BEGIN IMMEDIATE"));
    if (error.isEmpty()) {
        error = execStatement(db, QStringLiteral("CREATE TABLE brightlock_write_probe (x)"));
        execStatement(db, QStringLiteral("ROLLBACK"));
    }
    if (!error.isEmpty())
        return QStringLiteral("it cannot be written: %1").arg(error);
    return {};
}

QString execStatement(const QSqlDatabase& db, const QString& sql, QString* firstValue) {
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        const QSqlError error = query.lastError();
        return error.databaseText().isEmpty() ? error.text() : error.databaseText();
    }
    if (firstValue)
        *firstValue = query.next() ? query.value(0).toString() : QString();
    return {};
}

QString quotedIdentifier(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace brightlock
