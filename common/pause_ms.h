// A wait that keeps the program responsive: timers and clicks run while it waits.
#pragma once

// Waits `ms` milliseconds on a monotonic clock, processing pending events meanwhile.
// Zero or a negative value returns at once.
void PauseMs(int ms);
