// The closer's records and exit flags; see hand_over.h.
#include "hand_over.h"

#include <QDir>

namespace brightlock {

QString saveFolder(const QString& applicationDirectory) {
    return applicationDirectory + QStringLiteral("/Save");
}

void startList(CloserFiles& files, const QString& applicationDirectory) {
    files.removeList();
    QDir().mkpath(saveFolder(applicationDirectory));
}

void writeSaveRecord(CloserFiles& files, const QString& keyText, const QDateTime& when, const QLocale& locale,
                     const QString& savePath) {
    files.writeList(QLatin1String(closeapp::kDate), keyText,
                    locale.toString(when.date(), QLocale::ShortFormat));
    files.writeList(QLatin1String(closeapp::kTime), keyText,
                    locale.toString(when.time(), QLocale::ShortFormat));
    files.writeList(QLatin1String(closeapp::kSaveAppFileName), keyText, savePath);
}

void handOver(CloserFiles& files, const QString& keyText) {
    files.writeFlag(settings::Close, QStringLiteral("0"));
    files.writeFlag(settings::ShutDown, QStringLiteral("1"));
    files.writeFlag(settings::CloseAppFlag, QStringLiteral("1"));
    files.writeList(QLatin1String(closeapp::kCloseApp), QLatin1String(closeapp::kCount), keyText);
    bool number = false;
    if (keyText.toInt(&number) > 0 && number)
        files.writeFlag(settings::SaveList, QStringLiteral("1"));
}

} // namespace brightlock
