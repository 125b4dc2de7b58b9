// The final action of a shutdown: powering the machine off, or hibernating it. The real one
// asks systemd-logind and falls back to `systemctl`; the dry run, used by the tests and by
// `Brightlock --dry-run`, only says what it would do. Every request returns at once and its
// outcome comes later, on the thread that asked, so a system bus that never answers can
// never hold the monitor's window.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace brightlock {

enum class FinalAction { PowerOff, Hibernate };

struct ActionOutcome {
    bool accepted = false;
    QString acceptedBy; // what took it: "logind", "systemctl poweroff", "dry run"
    QString refusals;   // why each way that was tried refused, "; " between them
};

// What logind says of a hibernation: `possible` only for a plain "yes" (a "challenge"
// would need a password nobody types during a power failure).
struct HibernateAnswer {
    bool possible = false;
    QString why; // the answers or the failure, for the record when it is not possible
};

class PowerOff {
public:
    using Done = std::function<void(const ActionOutcome&)>;
    using Answer = std::function<void(const HibernateAnswer&)>;
    virtual ~PowerOff() = default;
    // Asks for the action; `done` runs once, later, with the outcome.
    virtual void request(FinalAction action, Done done) = 0;
    // Asks whether the system can hibernate now; `answer` runs once, later. Read-only, so the
    // dry run asks too.
    virtual void canHibernate(Answer answer) = 0;
    // A rehearsal: nothing outside the program may change, the UPS included.
    virtual bool dryRun() const { return false; }
};

// systemd-logind on the system bus (DBUS_SYSTEM_BUS_ADDRESS when set), not interactive,
// each call on a worker thread with a deadline of kLogindMs. A refusal or no answer in time
// falls back to `systemctl poweroff` (or `hibernate`) found on PATH, bounded by
// kSystemctlMs. The outcome names every refusal.
class SystemPowerOff : public PowerOff {
public:
    static constexpr int kLogindMs = 4000;
    static constexpr int kSystemctlMs = 8000;
    void request(FinalAction action, Done done) override;
    void canHibernate(Answer answer) override;

private:
    std::unique_ptr<QObject> context_; // the worker's answers come back through it
};

// Prints "dry run: power-off requested" (or "dry run: hibernate requested") on standard
// error and reports the request accepted; asks logind's real answer to canHibernate.
class DryRunPowerOff : public PowerOff {
public:
    void request(FinalAction action, Done done) override;
    void canHibernate(Answer answer) override;
    bool dryRun() const override { return true; }

private:
    std::unique_ptr<QObject> context_;
};

// What a rehearsal does in place of the UPS switch-off: prints
// "dry run: UPS switch-off requested" on standard error.
void reportDryRunUpsSwitchOff();

// Switching the shutdown privilege on: nothing to do on this platform, where polkit
// decides whether logind may power the machine off.
void EnableShutdownPrivilege();

// EnableShutdownPrivilege, then the request; `done` tells whether it was accepted.
void ShutdownWindows(PowerOff& powerOff, FinalAction action, PowerOff::Done done);

} // namespace brightlock
