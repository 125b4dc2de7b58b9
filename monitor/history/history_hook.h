// The battery history hooked to the monitor: what a poll read, as the history stores it,
// and the sampler fed at the end of every poll.
#pragma once

#include "history_sampler.h"
#include "monitor.h"

namespace brightlock {

// The state and readings the monitor's last poll left: the USB flags and the library's
// readings, or the serial lines read afresh.
PowerReading pollReading(const Monitor& monitor);

// Feeds `sampler` from every poll of `monitor`; `sampler` must outlive the monitor.
void sampleEveryPoll(Monitor& monitor, HistorySampler& sampler);

} // namespace brightlock
