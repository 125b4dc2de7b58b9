// When the battery history takes a sample: at the first poll of every minute of the clock,
// and at every poll whose power state differs from the last sample's (mains failed, battery
// low, power back, the UPS silent or answering again). Each sample also trims the samples
// older than 31 days, so the history needs no timer of its own: the monitor's poll drives it.
#pragma once

#include "history_samples.h"

#include <functional>

namespace brightlock {

class HistorySampler {
public:
    static constexpr qint64 kKeepSeconds = 31 * 24 * 3600;

    // Seconds since the epoch; tests put their own clock in its place.
    using Clock = std::function<qint64()>;

    explicit HistorySampler(HistoryStore& store, Clock clock = nullptr);

    // Called once at the end of every poll with what the poll read.
    void polled(const PowerReading& reading);

    // Called after a sample was stored (an open History window redraws).
    std::function<void()> onStored;

private:
    HistoryStore& store_;
    Clock clock_;
    std::optional<qint64> lastMinute_;
    std::optional<PowerState> lastState_;
};

} // namespace brightlock
