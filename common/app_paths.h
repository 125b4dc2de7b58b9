// Qt face of the program and application directories (app_dir.h).
#pragma once

#include <QString>

namespace brightlock {

// The folder that holds Brightlock, close and libPSU.so.
QString ProgramDirectory();

// The folder that holds the settings, records and the Save folder.
QString ApplicationDirectory();

} // namespace brightlock
