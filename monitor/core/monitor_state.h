// The power-event poll's state; the monitor writes it and hands it out read-only (Monitor::state).
#pragma once

#include <cstdint>

namespace brightlock {

// What the power-event poll has handled so far.
struct EventState {
    bool OnBattNoted = false;        // the current on-battery event has been handled once
    bool LowBattNoted = false;       // the current low-battery event has been handled once
    bool LowBattActive = false;      // mains failed and battery low reported together
    bool LevelCriticalNoted = false; // this mains failure's battery reached a level threshold
    bool AlarmShown = false;         // the alarm window is loaded
    int32_t ShutdownSeconds = 0;     // seconds left in the shutdown countdown
    bool ShuttingDown = false;       // a shutdown is under way: no alarm window comes up any more
};

} // namespace brightlock
