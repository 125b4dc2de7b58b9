// Fresh save names; see save_name.h.
#include "save_name.h"

#include <QDir>
#include <QFileInfo>

namespace brightlock {

namespace {

constexpr int kNumbers = 10000;
// Random draws before the free numbers are looked for in order.
constexpr int kDraws = 200;
// Folders deeper than this under the root are not climbed out of in full.
constexpr int kClimb = 32;

QString pathOf(const QString& folder, int number) {
    return folder + QStringLiteral("/SaveClose") + QString::number(number);
}

bool taken(const QDir& folder, const QString& path, const QSet<QString>& handedOut) {
    if (handedOut.contains(path))
        return true;
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return !folder
                .entryList({name, name + QStringLiteral(".*")},
                           QDir::AllEntries | QDir::Hidden | QDir::System)
                .isEmpty();
}

} // namespace

QString climbingPath(const QString& absolutePath) {
    QString relative = absolutePath;
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    return QStringLiteral("../").repeated(kClimb) + relative;
}

QString savedFile(const QString& savePath) {
    const QFileInfo path(savePath);
    if (path.isFile())
        return path.absoluteFilePath();
    const QFileInfoList added = path.dir().entryInfoList({path.fileName() + QStringLiteral(".*")},
                                                         QDir::Files | QDir::Hidden, QDir::Time);
    return added.isEmpty() ? QString() : added.first().absoluteFilePath();
}

QString freshSavePath(const QString& saveFolder, const std::function<int()>& draw,
                      const QSet<QString>& handedOut) {
    const QDir folder(saveFolder);
    QString path;
    for (int i = 0; i < kDraws; ++i) {
        path = pathOf(saveFolder, qBound(0, draw(), kNumbers - 1));
        if (!taken(folder, path, handedOut))
            return path;
    }
    for (int number = 0; number < kNumbers; ++number)
        if (!taken(folder, pathOf(saveFolder, number), handedOut))
            return pathOf(saveFolder, number);
    return path;
}

} // namespace brightlock
