// The message of an Apply that could not store; see unsaved_settings.h.
#include "unsaved_settings.h"

#include "app_paths.h"
#include "ini.h"
#include "ini_file.h"
#include "log_categories.h"
#include "settings.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace brightlock {
namespace {

// Whether another process holds the writers' lock beside the file.
bool lockHeldElsewhere(const QString& file) {
    const QByteArray lockPath = (file + QStringLiteral(".lock")).toLocal8Bit();
    const int fd = ::open(lockPath.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!held)
        ::flock(fd, LOCK_UN);
    ::close(fd);
    return held;
}

} // namespace

QString settingsFolderProblem() {
    const QString folder = ApplicationDirectory();
    const QByteArray dir = folder.toLocal8Bit();
    struct stat st {};
    if (::stat(dir.constData(), &st) != 0)
        return QStringLiteral("it cannot be opened (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("it is a file, not a folder");
    if (::access(dir.constData(), W_OK) != 0)
        return errno == EROFS ? QStringLiteral("it is on a read-only file system")
                              : QStringLiteral("it is read-only for you");
    const QString file = SettingsFile();
    const QFileInfo info(file);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("the settings file is a link that leads nowhere");
    if (info.exists() && !info.isFile())
        return QStringLiteral("the settings file is not a regular file");
    if (info.exists() && !info.isReadable())
        return QStringLiteral("the settings file cannot be read");
    if (info.exists() && !info.isWritable())
        return QStringLiteral("the settings file is read-only");
    if (info.size() > qint64(ini::kMaxFileSize))
        return QStringLiteral("the settings file is larger than %1 KiB").arg(ini::kMaxFileSize / 1024);
    struct statvfs fs {};
    if (::statvfs(dir.constData(), &fs) == 0 && fs.f_bavail == 0)
        return QStringLiteral("its file system is full");
    if (lockHeldElsewhere(file))
        return QStringLiteral("another program is writing the settings");
    return QStringLiteral("the settings file could not be replaced");
}

QString unsavedSettingsText() {
    const QString inForce = settingsText() ? QStringLiteral("The settings stored before stay in force.")
                                           : QStringLiteral("The shipped settings are in force, with the "
                                                            "shutdown armed.");
    return QStringLiteral("The settings could not be saved in the folder \"%1\": %2.\n%3")
        .arg(ApplicationDirectory(), settingsFolderProblem(), inForce);
}

void tellUnsavedSettings(MessagePort& messages) {
    const QString text = unsavedSettingsText();
    qCWarning(lcConfig).noquote() << text;
    messages.critical(text);
}

} // namespace brightlock
