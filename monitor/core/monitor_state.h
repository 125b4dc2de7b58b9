// Program-wide state of the monitor that several windows read and write.
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

// What the confirmation dialog is asking for; one request may stack on another.
struct DialogFlags {
    bool AskShutdown = false;
    bool AskClearLog = false;
    bool AskClearUps = false;
    bool AskClearClosed = false;
};

} // namespace brightlock
