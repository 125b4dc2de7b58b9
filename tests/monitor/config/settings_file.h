// Looking at the settings file as text: the lines of one section in file order, which for
// keys written into a missing section is the order they were written in.
#pragma once

#include "ini.h"

#include <QFile>
#include <QStringList>

inline QStringList sectionLines(const QString& section) {
    QFile file(SettingsFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    bool inside = false;
    for (const QString& raw : QString::fromLatin1(file.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('['))
            inside = line.compare('[' + section + ']', Qt::CaseInsensitive) == 0;
        else if (inside && !line.isEmpty())
            lines << line;
    }
    return lines;
}

// Replaces the settings file with `text`.
inline void writeSettingsText(const QByteArray& text) {
    QFile file(SettingsFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text);
}
