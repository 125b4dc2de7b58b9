// The three record stores, named once for the whole program.
#pragma once

#include <QMetaType>

namespace brightlock {

// Tables record and UpsEvent of EventRecord.mdb, CloseApp of CloseAppRecord.mdb.
enum class Store { Log, Ups, Closed };

} // namespace brightlock

Q_DECLARE_METATYPE(brightlock::Store)
