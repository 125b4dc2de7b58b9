// The History window's chart (Qt Charts): charge and load on a percent axis at the left,
// runtime in minutes and the input voltage on axes at the right, time below, and the
// stretches the mains were failed shaded behind the lines. A reading the UPS never
// reported in the period has no line and no axis.
#pragma once

#include "history_series.h"

#include <QChartView>

class QAreaSeries;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace brightlock {

class HistoryChart : public QChartView {
    Q_OBJECT
public:
    explicit HistoryChart(QWidget* parent = nullptr);

    // Draws `series` over [from, to) (seconds since the epoch).
    void showSeries(const HistorySeries& series, qint64 from, qint64 to);

    // The first piece of a line (the one in the legend).
    QLineSeries* line(HistoryLine l) const { return lines_[size_t(l)].first(); }
    QAreaSeries* failures() const { return failures_; }
    QDateTimeAxis* timeAxis() const { return time_; }

    struct LineLook;

private:
    QLineSeries* addPiece(const LineLook& look);

    QDateTimeAxis* time_;
    QValueAxis* percent_;
    QValueAxis* minutes_;
    QValueAxis* volts_;
    std::array<QList<QLineSeries*>, kHistoryLines> lines_; // each line in pieces between gaps
    QLineSeries* failedEdge_;
    QAreaSeries* failures_;
};

} // namespace brightlock
