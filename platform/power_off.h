// Powering the machine off. The real one asks systemd-logind; the dry run, used by the
// tests and by `Brightlock --dry-run`, only says that it would, and tells the shutdown
// path that the UPS must not be switched off either.
#pragma once

namespace brightlock {

class PowerOff {
public:
    virtual ~PowerOff() = default;
    // Asks for the power-off and returns; a refusal is silent (logged only).
    virtual void powerOff() = 0;
    // A rehearsal: nothing outside the program may change, the UPS included.
    virtual bool dryRun() const { return false; }
};

// org.freedesktop.login1.Manager.PowerOff on the system bus, not interactive.
class LogindPowerOff : public PowerOff {
public:
    void powerOff() override;
};

// Prints "dry run: power-off requested" on standard error.
class DryRunPowerOff : public PowerOff {
public:
    void powerOff() override;
    bool dryRun() const override { return true; }
};

// What a rehearsal does in place of the UPS switch-off: prints
// "dry run: UPS switch-off requested" on standard error.
void reportDryRunUpsSwitchOff();

// Switching the shutdown privilege on: nothing to do on this platform, where polkit
// decides whether logind may power the machine off.
void EnableShutdownPrivilege();

// EnableShutdownPrivilege, then the power-off; a refusal is silent.
void ShutdownWindows(PowerOff& powerOff);

} // namespace brightlock
