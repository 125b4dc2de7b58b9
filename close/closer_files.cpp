// The closer's files through the system's INI operations; see closer_files.h.
#include "closer_files.h"

#include "ini.h"

#include <QFile>

namespace brightlock {

void ProfileFiles::removeList() {
    QFile::remove(closeapp::filePath());
}

void ProfileFiles::writeList(const QString& section, const QString& key, const QString& value) {
    WriteIni(closeapp::filePath(), section, key, value);
}

QString ProfileFiles::readList(const QString& section, const QString& key) {
    return ReadIni(closeapp::filePath(), section, key, QString());
}

void ProfileFiles::writeFlag(const Setting& flag, const QString& value) {
    settings::write(flag, value);
}

} // namespace brightlock
