// The battery history as CSV: a header row, then one row per sample, oldest first, its time
// in ISO 8601 with the local offset and an empty cell for a reading the UPS did not report.
#pragma once

#include <QString>

class QIODevice;

namespace brightlock {

class HistoryStore;

// Writes every sample of `store` to `out`. The number of samples written, or -1 when the
// history could not be read or the output not written (why in `error`).
int writeHistoryCsv(const HistoryStore& store, QIODevice& out, QString* error);

// `Brightlock --export-history FILE`: reads EventRecord.mdb of the application directory
// `dir` without changing it (the running monitor goes on writing), and writes the CSV to
// FILE ("-": standard output), whole or not at all. 0 on success, else 1 with a message on
// standard error.
int exportHistory(const QString& dir, const QString& file);

} // namespace brightlock
