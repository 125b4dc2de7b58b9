// How dates and times are kept in the record stores and shown on the record pages.
// Stored texts are ISO ("yyyy-MM-dd", "HH:mm:ss") so that ordering by text is ordering
// by time; the pages show them in the user's locale.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace brightlock {

QString storedDate(const QDate& date);
QString storedTime(const QTime& time);

// A date or time text from elsewhere (the closer's list) in stored form. Accepts ISO and
// the short and long formats of the system and default locales; a two-digit year is taken
// as 20yy. Text that cannot be read is kept as it is.
QString normalizedDate(const QString& text);
QString normalizedTime(const QString& text);

// A stored date or time in the locale's short format; other text is shown unchanged.
QString displayDate(const QString& stored, const QLocale& locale = QLocale());
QString displayTime(const QString& stored, const QLocale& locale = QLocale());

} // namespace brightlock
