// The one path every shutdown takes: StartShutdown (hide the windows; hibernate when that is
// asked for and possible, else start the closer or ask at once) and the shutdown watch,
// which sees the hand-over and asks for the final action; only once that was accepted is the
// UPS told to switch off. Windows are reached through ShutdownPorts.
//
// Once the monitor has decided to go down, nothing but a refused final action keeps the
// machine up: a request that cannot be stored is kept in memory, a closer that ends is seen
// at once whatever it left in the settings file, and one that never hands the shutdown back
// is waited for at most kCloserWaitMs. A refusal is told to the user and recorded, the UPS
// stays on, and the monitor is armed again for the next power failure.
#pragma once

#include "monitor.h"
#include "power_off.h"

#include <QObject>
#include <QSet>
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
    // Starts the closer; false when it could not be started. Its end is told through
    // ShutdownController::closerEnded.
    virtual bool startCloser() = 0;
};

class ShutdownController : public QObject {
    Q_OBJECT
public:
    // The window that asked: the confirmation dialog is unloaded, the alarm window hidden.
    enum class Asker { Question, Alarm };
    static constexpr int kWatchMs = 100;
    // The longest wait for a closer that is alive and busy: it ends its own run after about
    // 120 s, so a closer that finishes by itself is always waited for, and one that hangs
    // still lets the machine go down while the battery lasts.
    static constexpr qint64 kCloserWaitMs = 180000;

    ShutdownController(Monitor& monitor, PowerOff& powerOff, ShutdownPorts& ports, QObject* parent = nullptr);

    void StartShutdown(Asker asker);
    void ShutdownWatch(); // Timer3 tick

    // The closer's process ended (any way): the shutdown goes on at once.
    void closerEnded(int exitCode, bool crashed);
    // A countdown started with `seconds` left: on a desktop the closer cannot drive, and
    // without hibernation, the user is told to save their work now.
    void countdownStarted(int seconds);

    // Stores [Schema] ShutDown; true when it is on disk. Tests put a failing one in place.
    using FlagWriter = std::function<bool(int value)>;
    void setFlagWriter(FlagWriter writer) { writeShutDown_ = std::move(writer); }
    // Why the closer cannot drive this desktop; empty when it can. Tests put their own in place.
    using Reach = std::function<QString()>;
    void setCloserReach(Reach reach) { closerCannotReach_ = std::move(reach); }

    // A shutdown is under way: from StartShutdown until the machine goes down, or until the
    // final action was refused or rehearsed.
    bool underWay() const { return stage_ != Stage::Idle; }

    QTimer Timer3;

private:
    enum class Stage { Idle, Deciding, Saving, GoingDown };

    void hibernationAnswered(const HibernateAnswer& answer, bool asked);
    void startSaving();
    bool requestSeen();
    void requestShutdown();
    // Stores ShutDown "0"; when that fails, the settings file no longer carries the hand-over.
    void withdrawRequest();
    void storeFailed();
    void goDown(FinalAction action);
    void finalOutcome(FinalAction action, const ActionOutcome& outcome);
    // Back to idle without the machine going down: armed for the next power failure.
    void endWithoutGoingDown();
    void switchUpsOff();
    void recordOnce(const QString& text);
    void tellUser(const QString& summary, const QString& body);

    Monitor& monitor_;
    PowerOff& powerOff_;
    ShutdownPorts& ports_;
    FlagWriter writeShutDown_;
    Reach closerCannotReach_;
    Stage stage_ = Stage::Idle;
    bool requested_ = false;   // a request the settings file could not take
    bool storeBroken_ = false; // a write of the flag failed: only the closer's end hands over
    bool closerRunning_ = false;
    std::optional<qint64> closerStartedMs_;
    std::optional<int> closerExit_; // how the closer ended: its status, -1 for a crash
    bool toldStoreFailure_ = false;
    QSet<QString> recorded_;
};

} // namespace brightlock
