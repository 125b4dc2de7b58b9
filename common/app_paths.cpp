// Program and application directories for Qt code; see app_dir.h for the rules.
#include "app_paths.h"

#include "app_dir.h"

namespace brightlock {

QString ProgramDirectory() {
    return QString::fromStdString(executableDirectory());
}

QString ApplicationDirectory() {
    return QString::fromStdString(applicationDirectory(executableDirectory()));
}

} // namespace brightlock
