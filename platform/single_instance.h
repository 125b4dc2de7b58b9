// One running monitor per user and application directory. The first instance holds an
// advisory lock (released by the kernel however the process ends) and listens on a local
// socket; a later instance finds the lock taken, leaves a notice on the socket and gives
// way. The running instance logs the notice and goes on unchanged.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace brightlock {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `scope` separates installations: instances with different scopes do not meet.
    explicit SingleInstance(const QString& scope, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when no other instance holds the lock; this instance then holds it and
    // listens for notices.
    bool acquire();

    // Tells the running instance that another one started (a later instance calls this).
    void notifyRunning() const;

    QString lockPath() const { return base_ + QStringLiteral(".lock"); }
    QString socketPath() const { return base_ + QStringLiteral(".sock"); }

signals:
    void anotherInstanceStarted();

private:
    QString base_;
    int lockFd_ = -1;
    QLocalServer* server_ = nullptr;
};

// A scope for an application directory (a short hash of its path).
QString instanceScope(const QString& applicationDirectory);

} // namespace brightlock
