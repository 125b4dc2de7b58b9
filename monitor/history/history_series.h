// The points a History chart draws for one period. A month holds about 45 000 samples, far
// more than the chart has pixels: the database sums them up in slices, and each reading keeps
// the lowest and the highest value of every slice, so a short dip in charge or a brief
// overload still shows while the chart draws a few thousand points at most.
#pragma once

#include "history_samples.h"

#include <QList>
#include <QPair>
#include <QPointF>
#include <array>

namespace brightlock {

enum class HistoryLine { Charge, Runtime, Load, Voltage };
constexpr int kHistoryLines = 4;

struct HistorySeries {
    // x: milliseconds since the epoch; y: percent, minutes of runtime, percent, volts.
    std::array<QList<QPointF>, kHistoryLines> lines;
    // Per line, the indices of the points that follow a time without samples (the monitor
    // not running, the computer off): the line is drawn in pieces, not across the gap.
    std::array<QList<int>, kHistoryLines> breaks;
    // The stretches the mains were failed (on battery or battery low), in milliseconds.
    QList<QPair<qint64, qint64>> failures;
    int samples = 0;

    const QList<QPointF>& line(HistoryLine l) const { return lines[size_t(l)]; }
    // The line in pieces without gaps.
    QList<QList<QPointF>> pieces(HistoryLine l) const;
};

// The samples of `store` with from <= time < to (seconds since the epoch) in `slices` slices.
HistorySeries historySeries(const HistoryStore& store, qint64 from, qint64 to, int slices);

} // namespace brightlock
