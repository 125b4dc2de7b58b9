// The History chart's points; see history_series.h.
#include "history_series.h"

#include <algorithm>

namespace brightlock {

namespace {

// Samples come a minute apart while the monitor runs: five minutes without one is a gap, or
// two slices where slices are longer.
constexpr qint64 kGapSeconds = 300;

} // namespace

QList<QList<QPointF>> HistorySeries::pieces(HistoryLine l) const {
    const QList<QPointF>& points = line(l);
    QList<QList<QPointF>> out;
    qsizetype start = 0;
    for (int next : breaks[size_t(l)]) {
        out.append(points.mid(start, next - start));
        start = next;
    }
    if (start < points.size())
        out.append(points.mid(start));
    return out;
}

HistorySeries historySeries(const HistoryStore& store, qint64 from, qint64 to, int slices) {
    HistorySeries out;
    const qint64 sliceSeconds = std::max<qint64>((to - from) / std::max(slices, 1), 1);
    const qint64 gap = std::max(kGapSeconds, 2 * sliceSeconds);
    std::array<std::optional<qint64>, kHistoryLines> lastValue; // time of each line's last point
    std::optional<qint64> failedSince;
    auto failureEnds = [&](qint64 time) {
        out.failures.append({*failedSince * 1000, time * 1000});
        failedSince.reset();
    };
    qint64 lastSample = from;
    qint64 lastFailed = from;
    store.forEachSlice(from, to, sliceSeconds, [&](const HistoryStore::Slice& s) {
        for (int i = 0; i < kHistoryLines; ++i) {
            if (!s.low[size_t(i)] || !s.high[size_t(i)])
                continue;
            // Runtime is stored in seconds and drawn in minutes.
            const double scale = HistoryLine(i) == HistoryLine::Runtime ? 1.0 / 60 : 1.0;
            QList<QPointF>& line = out.lines[size_t(i)];
            if (lastValue[size_t(i)] && s.first - *lastValue[size_t(i)] > gap)
                out.breaks[size_t(i)].append(int(line.size()));
            lastValue[size_t(i)] = s.last;
            line.append(QPointF(double(s.first) * 1000, *s.low[size_t(i)] * scale));
            if (*s.high[size_t(i)] != *s.low[size_t(i)])
                line.append(QPointF(double(s.last) * 1000, *s.high[size_t(i)] * scale));
        }
        out.samples += s.samples;
        lastSample = s.last;

        // The failed stretches to slice precision: exact where a slice holds one sample (the
        // last hour), within a slice where it holds many (the mains came back before another
        // failure in the same slice is drawn as one stretch).
        if (s.firstFailed) {
            if (failedSince && s.firstOther && *s.firstOther < *s.firstFailed)
                failureEnds(*s.firstOther);
            if (!failedSince)
                failedSince = *s.firstFailed;
            // Back within the slice: at the sample after the last failed one, which comes at
            // most a minute later.
            if (s.lastOther && *s.lastOther > *s.lastFailed)
                failureEnds(std::min(*s.lastFailed + 60, *s.lastOther));
            lastFailed = *s.lastFailed;
        } else if (failedSince && s.firstOther) {
            // After a gap (the monitor stopped while on battery) only what was seen is shaded.
            failureEnds(*s.firstOther - lastFailed > gap ? lastFailed + 60 : *s.firstOther);
        }
    });
    if (failedSince) // still failed at the last sample
        out.failures.append({*failedSince * 1000, std::max(lastSample, *failedSince + 1) * 1000});
    return out;
}

} // namespace brightlock
