// The one path every shutdown takes: StartShutdown (hide the windows, start the closer or
// ask at once) and the shutdown watch, which sees the request in the settings file, tells
// the UPS to switch off and powers the machine off. Windows are reached through
// ShutdownPorts.
//
// Once the monitor has decided to go down, nothing but a refused power-off keeps the
// machine up: a request that cannot be stored is kept in memory, and a closer that never
// hands the shutdown back is waited for at most kCloserWaitMs.
#pragma once

#include "monitor.h"
#include "power_off.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace brightlock {

class ShutdownPorts {
public:
    virtual ~ShutdownPorts() = default;
    virtual void unloadQuestion() = 0;
    virtual void hideMainWindow() = 0;
    // Hides the alarm window and stops its bar and its re-checks.
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
    // The longest wait for the closer's request: it ends its own run after about 120 s,
    // so a closer that finishes by itself is always waited for, and one that hangs, crashed
    // or was killed still lets the machine go down while the battery lasts.
    static constexpr qint64 kCloserWaitMs = 180000;

    ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports, QObject* parent = nullptr);

    void StartShutdown(Asker asker);
    void ShutdownWatch(); // Timer3 tick

    // Stores [Schema] ShutDown; true when it is on disk. Tests put a failing one in place.
    using FlagWriter = std::function<bool(int value)>;
    void setFlagWriter(FlagWriter writer) { writeShutDown_ = std::move(writer); }

    QTimer Timer3;

private:
    bool requestSeen();
    void requestShutdown();
    // Stores ShutDown "0"; when that fails, a "1" that stays is marked stale.
    void withdrawRequest();
    void storeFailed();
    void switchUpsOff();

    Monitor& monitor_;
    PowerOff& powerOff_;
    ShutdownPorts& ports_;
    FlagWriter writeShutDown_;
    bool requested_ = false;    // a request the settings file could not take
    bool staleRequest_ = false; // a stored "1" that is not this shutdown's and cannot be reset
    std::optional<qint64> closerStartedMs_;
    bool toldStoreFailure_ = false;
};

} // namespace brightlock
