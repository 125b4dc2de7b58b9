// What the closer leaves for the monitor: a fresh CloseApp.ini with an entry for each save
// (date and time in the user's short formats, so the monitor's importer reads them back),
// and at the end the [Schema] flags that let the monitor go on with the shutdown.
#pragma once

#include "closer_files.h"

#include <QDateTime>
#include <QLocale>

namespace brightlock {

// "<application directory>/Save": where the applications are told to save.
QString saveFolder(const QString& applicationDirectory);

// Deletes the last run's CloseApp.ini and makes the Save folder; failures are ignored.
void startList(CloserFiles& files, const QString& applicationDirectory);

// Date / n, Time / n and SaveAppFileName / n of one save request, in this order.
void writeSaveRecord(CloserFiles& files, const QString& keyText, const QDateTime& when, const QLocale& locale,
                     const QString& savePath);

// The exit writes, in this order: Close = 0, ShutDown = 1, CloseAppFlag = 1, CloseApp / Count
// = keyText, and SaveList = 1 when keyText is a number above 0.
void handOver(CloserFiles& files, const QString& keyText);

} // namespace brightlock
