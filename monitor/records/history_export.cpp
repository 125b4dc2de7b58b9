// The CSV export of the battery history; see history_export.h.
#include "history_export.h"

#include "history_samples.h"
#include "record_stores.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <limits>

namespace brightlock {
namespace {

template <typename T> QString cell(const std::optional<T>& value) {
    return value ? QString::number(*value) : QString();
}

QString isoTime(qint64 secs) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secs);
    // With its offset, so a row means one instant wherever the file is read.
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace

int writeHistoryCsv(const HistoryStore& store, QIODevice& out, QString* error) {
    QTextStream csv(&out);
    csv << "time,state,charge_percent,runtime_seconds,load_percent,input_voltage\n";
    int rows = 0;
    const bool read = store.forEach(
        std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), [&](const HistorySample& s) {
            const PowerReading& r = s.reading;
            csv << isoTime(s.time) << ',' << powerStateName(r.state) << ',' << cell(r.chargePercent) << ','
                << cell(r.runtimeSeconds) << ',' << cell(r.loadPercent) << ','
                << (r.inputVoltage ? QString::number(*r.inputVoltage, 'f', 1) : QString()) << '\n';
            ++rows;
        });
    csv.flush();
    if (!read) {
        if (error)
            *error = QStringLiteral("the history cannot be read");
        return -1;
    }
    if (csv.status() != QTextStream::Ok) {
        if (error)
            *error = out.errorString();
        return -1;
    }
    return rows;
}

int exportHistory(const QString& dir, const QString& file) {
    auto fail = [](const QString& why) {
        std::fprintf(stderr, "Brightlock: cannot export the history: %s\n", qPrintable(why));
        return 1;
    };
    HistoryStore store;
    const QString problem = store.openToRead(QDir(dir).filePath(RecordStores::eventFileName()));
    if (!problem.isEmpty())
        return fail(problem);

    QString error;
    if (file == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly))
            return fail(out.errorString());
        return writeHistoryCsv(store, out, &error) < 0 ? fail(error) : 0;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1: %2").arg(file, out.errorString()));
    const int rows = writeHistoryCsv(store, out, &error);
    if (rows < 0)
        return fail(error);
    if (!out.commit())
        return fail(QStringLiteral("%1: %2").arg(file, out.errorString()));
    std::fprintf(stderr, "Brightlock: %d samples written to %s\n", rows, qPrintable(file));
    return 0;
}

} // namespace brightlock
