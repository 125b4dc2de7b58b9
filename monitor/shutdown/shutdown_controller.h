// The one path every shutdown takes: the confirmation dialog's requests, StartShutdown
// (hide the windows, start the closer or ask at once), and the shutdown watch, which
// sees the request in the settings file, tells the UPS to switch off and powers the
// machine off. Windows are reached through ShutdownPorts.
#pragma once

#include "monitor.h"
#include "power_off.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace brightlock {

class ShutdownPorts {
public:
    virtual ~ShutdownPorts() = default;
    // Shows the confirmation dialog modeless, loading it first when it is not loaded.
    virtual void showQuestion() = 0;
    virtual void unloadQuestion() = 0;
    virtual void hideMainWindow() = 0;
    virtual void hideAlarm() = 0;
    // Starts the closer without waiting for it; false when it could not be started.
    virtual bool startCloser() = 0;
    // Deletes every row of a record store (the record pages' clear-all).
    virtual void clearStore(EventRecorder::Store store) = 0;
};

class ShutdownController : public QObject {
    Q_OBJECT
public:
    enum class Asker { Question, Alarm };
    static constexpr int kWatchMs = 100;

    ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports, QObject* parent = nullptr);

    // The main window's "Shutdown" button.
    void CmdShutdownClick();
    // The record pages' clear buttons: the same dialog in a clear mode.
    void askClear(EventRecorder::Store store);

    // The dialog's message, chosen when it loads.
    QString questionText() const;
    void Yes();
    void No();

    void StartShutdown(Asker asker);
    void ShutdownWatch(); // Timer3 tick

    QTimer Timer3;

private:
    Monitor& monitor_;
    PowerOff& powerOff_;
    ShutdownPorts& ports_;
};

} // namespace brightlock
