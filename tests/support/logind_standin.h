// A stand-in for systemd-logind's manager on a private bus: it takes, refuses or never
// answers the power-off and hibernation requests, answers CanHibernate and CanHybridSleep as
// told, and keeps the calls it received. Nothing reaches the machine's own logind.
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QStringList>

class LogindStandIn : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    enum class Mode { Accept, Refuse, Silent };
    Mode mode = Mode::Accept;
    QString canHibernate = QStringLiteral("no");
    QString canHybridSleep = QStringLiteral("no");
    QStringList calls;

    // Connects to the bus at `address` and takes logind's name there.
    bool attach(const QString& address) {
        bus_ = QDBusConnection::connectToBus(address, QStringLiteral("logind-standin"));
        return bus_.isConnected() && bus_.registerService(QStringLiteral("org.freedesktop.login1")) &&
               bus_.registerObject(QStringLiteral("/org/freedesktop/login1"), this,
                                   QDBusConnection::ExportAllSlots);
    }

public slots:
    void PowerOff(bool interactive) { act(QStringLiteral("PowerOff"), interactive); }
    void Hibernate(bool interactive) { act(QStringLiteral("Hibernate"), interactive); }
    void HybridSleep(bool interactive) { act(QStringLiteral("HybridSleep"), interactive); }
    QString CanHibernate() {
        calls << QStringLiteral("CanHibernate");
        return canHibernate;
    }
    QString CanHybridSleep() {
        calls << QStringLiteral("CanHybridSleep");
        return canHybridSleep;
    }

private:
    void act(const QString& name, bool interactive) {
        calls << name + (interactive ? QStringLiteral(" interactive") : QString());
        if (mode == Mode::Refuse) {
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("Interactive authentication required."));
        } else if (mode == Mode::Silent) {
            setDelayedReply(true); // and never answered
            held_ << message();
        }
    }

    QDBusConnection bus_{QStringLiteral("none")};
    QList<QDBusMessage> held_;
};
