// Stored and shown forms of record dates and times.
#include "record_format.h"

#include <QStringList>

namespace brightlock {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("HH:mm:ss");

// Where a date or time text from another program may come from, most likely first.
QList<QLocale> sourceLocales() {
    return {QLocale::system(), QLocale()};
}

} // namespace

QString storedDate(const QDate& date) {
    return date.toString(kDateFormat);
}

QString storedTime(const QTime& time) {
    return time.toString(kTimeFormat);
}

QString normalizedDate(const QString& text) {
    const QString trimmed = text.trimmed();
    const QDate iso = QDate::fromString(trimmed, kDateFormat);
    if (iso.isValid())
        return storedDate(iso);
    for (const QLocale& locale : sourceLocales()) {
        for (const auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
            const QString pattern = locale.dateFormat(format);
            QDate date = locale.toDate(trimmed, pattern);
            if (!date.isValid())
                continue;
            // Qt reads "yy" as 19yy; the records are never that old.
            if (!pattern.contains(QLatin1String("yyyy")) && date.year() < 2000)
                date = date.addYears(100);
            return storedDate(date);
        }
    }
    return text;
}

QString normalizedTime(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const char* pattern : {"HH:mm:ss", "H:mm:ss", "HH:mm", "H:mm"}) {
        const QTime time = QTime::fromString(trimmed, QLatin1String(pattern));
        if (time.isValid())
            return storedTime(time);
    }
    for (const QLocale& locale : sourceLocales()) {
        for (const auto format : {QLocale::LongFormat, QLocale::ShortFormat}) {
            const QTime time = locale.toTime(trimmed, format);
            if (time.isValid())
                return storedTime(time);
        }
    }
    return text;
}

QString displayDate(const QString& stored, const QLocale& locale) {
    const QDate date = QDate::fromString(stored, kDateFormat);
    return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : stored;
}

QString displayTime(const QString& stored, const QLocale& locale) {
    const QTime time = QTime::fromString(stored, kTimeFormat);
    return time.isValid() ? locale.toString(time, QLocale::ShortFormat) : stored;
}

} // namespace brightlock
