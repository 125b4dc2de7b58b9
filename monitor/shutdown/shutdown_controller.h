// The one path every shutdown takes: StartShutdown (hide the windows, start the closer or
// ask at once) and the shutdown watch, which sees the request in the settings file, tells
// the UPS to switch off and powers the machine off. Windows are reached through
// ShutdownPorts.
#pragma once

#include "monitor.h"
#include "power_off.h"

#include <QObject>
#include <QTimer>

namespace brightlock {

class ShutdownPorts {
public:
    virtual ~ShutdownPorts() = default;
    virtual void unloadQuestion() = 0;
    virtual void hideMainWindow() = 0;
    virtual void hideAlarm() = 0;
    // Starts the closer without waiting for it; false when it could not be started.
    virtual bool startCloser() = 0;
};

class ShutdownController : public QObject {
    Q_OBJECT
public:
    // The window that asked: the confirmation dialog is unloaded, the alarm window hidden.
    enum class Asker { Question, Alarm };
    static constexpr int kWatchMs = 100;

    ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports, QObject* parent = nullptr);

    void StartShutdown(Asker asker);
    void ShutdownWatch(); // Timer3 tick

    QTimer Timer3;

private:
    void switchUpsOff();

    Monitor& monitor_;
    PowerOff& powerOff_;
    ShutdownPorts& ports_;
};

} // namespace brightlock
