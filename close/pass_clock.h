// The closer's time: the pauses between and within its passes, and the clock its run limit
// is measured on. Tests put a virtual clock in its place, so no test waits for real.
#pragma once

#include "pause_ms.h"

#include <QElapsedTimer>

namespace brightlock {

class PassClock {
public:
    virtual ~PassClock() = default;
    // Waits `ms` milliseconds; pending events (a termination signal) are handled meanwhile.
    virtual void pause(int ms) = 0;
    // Milliseconds since some fixed point, never going back.
    virtual qint64 now() = 0;
};

// Real time: PauseMs on the monotonic clock.
class SteadyClock : public PassClock {
public:
    SteadyClock() { clock_.start(); }
    void pause(int ms) override { PauseMs(ms); }
    qint64 now() override { return clock_.elapsed(); }

private:
    QElapsedTimer clock_;
};

} // namespace brightlock
