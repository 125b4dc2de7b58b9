// The battery history's sampling rule; see history_sampler.h.
#include "history_sampler.h"

#include <QDateTime>
#include <cmath>

namespace brightlock {

HistorySampler::HistorySampler(HistoryStore& store, Clock clock)
    : store_(store), clock_(clock ? std::move(clock) : [] { return QDateTime::currentSecsSinceEpoch(); }) {}

void HistorySampler::polled(const PowerReading& reading) {
    const qint64 now = clock_();
    // Minutes of the clock, not 60 s after the last sample: the 2.2 s poll would otherwise
    // drift each sample a little later, and a sample after an event would shift the rest.
    const qint64 minute = qint64(std::floor(double(now) / 60.0));
    if (lastMinute_ == minute && lastState_ == reading.state)
        return;
    // Remembered even when the write fails: a failing file is tried again next minute, not
    // at every poll.
    lastMinute_ = minute;
    lastState_ = reading.state;
    if (store_.append({now, reading}, now - kKeepSeconds) && onStored)
        onStored();
}

} // namespace brightlock
