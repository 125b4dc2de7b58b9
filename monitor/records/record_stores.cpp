// The record stores and the rows the monitor writes into them.
#include "record_stores.h"

#include "log_categories.h"
#include "record_file.h"
#include "record_format.h"
#include "record_table.h"

#include <QDir>
#include <atomic>
#include <cstdio>
#include <utility>

namespace brightlock {

namespace {

std::size_t index(Store store) {
    return static_cast<std::size_t>(store);
}

TableLayout layoutOf(Store store) {
    const QString date = QStringLiteral("Date");
    const QString time = QStringLiteral("Time");
    switch (store) {
    case Store::Log:
        return {QStringLiteral("record"), {date, time, QStringLiteral("Event")}, false};
    case Store::Ups:
        return {QStringLiteral("UpsEvent"), {date, time, QStringLiteral("Event")}, false};
    case Store::Closed:
        break;
    }
    return {QStringLiteral("CloseApp"),
            {date, time, QStringLiteral("Application"), QStringLiteral("SavedFile")},
            true};
}

// Connection names are process-wide; several instances (tests) must not share one.
QString uniqueConnectionName(const char* file) {
    static std::atomic<int> next{0};
    return QStringLiteral("brightlock.records.%1.%2").arg(file).arg(next++);
}

} // namespace

RecordStores::RecordStores(QString dir, std::function<QDateTime()> now, QObject* parent)
    : QObject(parent), dir_(std::move(dir)), now_(std::move(now)) {}

RecordStores::~RecordStores() = default;

void RecordStores::bind() {
    if (bound_)
        return;
    bound_ = true;
    const QDir dir(dir_);
    events_ = std::make_unique<RecordFile>(dir.filePath(eventFileName()), uniqueConnectionName("events"));
    closed_ = std::make_unique<RecordFile>(dir.filePath(closedFileName()), uniqueConnectionName("closed"));
    bindFile(*events_, {Store::Log, Store::Ups});
    bindFile(*closed_, {Store::Closed});
}

void RecordStores::bindFile(RecordFile& file, std::initializer_list<Store> stores) {
    const QString path = QDir::toNativeSeparators(file.path());
    const QString reason = file.open();
    if (!reason.isEmpty()) {
        qCWarning(lcRecords) << path << "cannot be used:" << reason;
        emit storeUnavailable(QStringLiteral("The record file \"%1\" cannot be used: %2. The monitor goes on "
                                             "without it and leaves the file as it is.")
                                  .arg(path, reason));
        return;
    }
    if (!file.readOnlyReason().isEmpty()) {
        qCWarning(lcRecords) << path << "can only be read:" << file.readOnlyReason();
        emit storeUnavailable(
            QStringLiteral("The record file \"%1\" can only be read: %2. New records are not "
                           "kept until it can be written; the record pages show what it holds.")
                .arg(path, file.readOnlyReason()));
        for (const Store store : stores)
            readOnly_[index(store)] = true;
    }
    for (const Store store : stores) {
        auto table = std::make_unique<RecordTable>(file, layoutOf(store));
        const QString problem = table->attach();
        if (problem.isEmpty()) {
            table->onFailure = [this, store](const QString& error) { reportFailure(store, error); };
            tables_[index(store)] = std::move(table);
            continue;
        }
        qCWarning(lcRecords) << "table" << table->name() << "of" << path << "cannot be used:" << problem;
        emit storeUnavailable(QStringLiteral("The table \"%1\" of the record file \"%2\" cannot be used: %3. "
                                             "The monitor goes on without it and leaves the file as it is.")
                                  .arg(table->name(), path, problem));
    }
}

bool RecordStores::isAvailable(Store store) const {
    return table(store) != nullptr;
}

RecordTable* RecordStores::table(Store store) const {
    return tables_[index(store)].get();
}

// A store whose file can only be read takes no changes: the user was told so at start-up.
RecordTable* RecordStores::writableTable(Store store) const {
    return readOnly_[index(store)] ? nullptr : table(store);
}

void RecordStores::appendEvent(const QString& text) {
    appendRow(Store::Log, text);
    appendRow(Store::Ups, text);
}

void RecordStores::appendProgramStart() {
    appendRow(Store::Log, QStringLiteral("Program start"));
}

void RecordStores::appendProgramQuit() {
    appendRow(Store::Log, QStringLiteral("Program quit"));
}

void RecordStores::appendRow(Store store, const QString& text) {
    RecordTable* target = writableTable(store);
    if (!target)
        return;
    // Date and time each read the clock, as the row's fields are set one after the other.
    const QString date = storedDate(now_().date());
    const QString time = storedTime(now_().time());
    // A row that cannot be written raises no message box: a window coming up during a
    // shutdown would stand in the closer's way.
    if (target->insert({date, time, text}, false)) {
        emit changed(store);
        return;
    }
    // Dropped, not retried: the next poll or the shutdown must not wait for it.
    std::fprintf(stderr, "brightlock: record \"%s\" not written to table %s: %s\n", qPrintable(text),
                 qPrintable(target->name()), qPrintable(target->lastError()));
}

void RecordStores::trimStep(Store store, int limit) {
    RecordTable* target = writableTable(store);
    if (!target || limit < 1)
        return;
    if (target->count() >= limit && target->deleteOldest(1) > 0)
        emit changed(store);
}

void RecordStores::trimToLimit(Store store, int limit) {
    RecordTable* target = writableTable(store);
    if (!target || limit < 1)
        return;
    if (target->deleteOldest(target->count() - limit) > 0)
        emit changed(store);
}

void RecordStores::clear(Store store) {
    RecordTable* target = writableTable(store);
    if (target && target->clear() > 0)
        emit changed(store);
}

int RecordStores::count(Store store) const {
    const RecordTable* target = table(store);
    return target ? target->count() : 0;
}

bool RecordStores::importClosedApplication(const QString& date, const QString& time,
                                           const QString& application, const QString& savedFile) {
    return importClosedApplications({{date, time, application, savedFile}}) == 1;
}

int RecordStores::importClosedApplications(const QList<QStringList>& rows) {
    RecordTable* target = writableTable(Store::Closed);
    if (!target || rows.isEmpty())
        return 0;
    QList<QStringList> stored;
    stored.reserve(rows.size());
    for (const QStringList& row : rows)
        stored.append(
            {normalizedDate(row.value(0)), normalizedTime(row.value(1)), row.value(2), row.value(3)});
    const int added = target->insertAll(stored);
    if (added > 0)
        emit changed(Store::Closed);
    return added;
}

void RecordStores::reportFailure(Store store, const QString& error) {
    if (std::exchange(reported_[index(store)], true))
        return;
    const QString file = QDir::toNativeSeparators(
        QDir(dir_).filePath(store == Store::Closed ? closedFileName() : eventFileName()));
    emit failed(QStringLiteral("The records of table \"%1\" in \"%2\" cannot be read or changed: %3. The "
                               "monitor goes on and tries again at the next use of these records.")
                    .arg(tableName(store), file, error));
}

QString RecordStores::connectionName(Store store) const {
    if (!isAvailable(store))
        return {};
    return (store == Store::Closed ? closed_ : events_)->connectionName();
}

QString RecordStores::tableName(Store store) const {
    return layoutOf(store).name;
}

QString RecordStores::tableSource(Store store) const {
    return QStringLiteral("select * from ") + quotedIdentifier(tableName(store));
}

} // namespace brightlock
