// Single-instance lock and notice; see single_instance.h.
#include "single_instance.h"

#include "log_categories.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

BRIGHTLOCK_LOGGING_CATEGORY(lcInstance, "brightlock.instance")

namespace brightlock {
namespace {

// The notice a later instance sends; the running instance takes no action on it.
constexpr char kNotice[] = "2064\n";

QString runtimeDirectory() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/brightlock-") + QString::number(::getuid());
    QDir().mkpath(dir);
    return dir;
}

} // namespace

QString instanceScope(const QString& applicationDirectory) {
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(applicationDirectory).toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex().left(12));
}

SingleInstance::SingleInstance(const QString& scope, QObject* parent)
    : QObject(parent), base_(runtimeDirectory() + QStringLiteral("/brightlock-") + scope) {}

SingleInstance::~SingleInstance() {
    if (server_)
        server_->close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

bool SingleInstance::acquire() {
    if (lockFd_ >= 0)
        return true;
    int fd = ::open(QFile::encodeName(lockPath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        qCWarning(lcInstance) << "cannot open" << lockPath() << "- running without the single-instance lock";
        return true; // never refuse to protect the machine because of a lock file
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd_ = fd;

    server_ = new QLocalServer(this);
    QLocalServer::removeServer(socketPath()); // we hold the lock: any socket left is stale
    if (!server_->listen(socketPath()))
        qCWarning(lcInstance) << "cannot listen on" << socketPath() << server_->errorString();
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                if (s->readAll().startsWith(QByteArray(kNotice).trimmed())) {
                    qCInfo(lcInstance) << "another instance started and gave way";
                    emit anotherInstanceStarted();
                }
            });
        }
    });
    return true;
}

void SingleInstance::notifyRunning() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(1000))
        return; // nobody listening: the notice goes nowhere, and we give way all the same
    socket.write(kNotice);
    socket.waitForBytesWritten(1000);
    socket.disconnectFromServer();
}

} // namespace brightlock
