// The Status page's texts and state pictures as the power-event monitor sets them.
#pragma once

#include <QColor>
#include <QObject>
#include <QString>

namespace brightlock {

class StatusArea : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    QString LblMessage;
    QColor messageColor;
    QString LblAlarm;
    bool ImaSOk = false;
    bool ImaSLow = false;
    bool ImaAlarm = false;
    bool CmdShutdownEnabled = false;
    // The battery's charge ("64 %") and runtime ("12 min") while the UPS reports them;
    // empty otherwise.
    QString batteryCharge;
    QString batteryRuntime;
    // While on battery, the time left before the shutdown starts ("shutdown in 4 min"): the
    // countdown's, or the battery level's estimate, whichever is sooner; empty otherwise.
    QString shutdownIn;

    // Tells the page to redraw after a change.
    void notify() { emit changed(); }

signals:
    void changed();
};

} // namespace brightlock
