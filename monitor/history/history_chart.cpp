// The History chart; see history_chart.h.
#include "history_chart.h"

#include "palette.h"

#include <QAreaSeries>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace brightlock {

struct HistoryChart::LineLook {
    HistoryLine line;
    const char* name;
    QColor colour;
};

namespace {

// The power states' own colours where they fit: charge in the mains green, the failed
// stretches in the on-battery orange.
const HistoryChart::LineLook kLooks[] = {
    {HistoryLine::Charge, "Charge (%)", palette::kMains},
    {HistoryLine::Runtime, "Runtime (min)", palette::kBlueDark},
    {HistoryLine::Load, "Load (%)", QColor(128, 64, 160)},
    {HistoryLine::Voltage, "Input (V)", palette::kNotProtectedDeep},
};

double highest(const QList<QPointF>& points) {
    double top = 0;
    for (const QPointF& p : points)
        top = std::max(top, p.y());
    return top;
}

// The upper end of an axis of five equal steps (six labels, as on the percent axis) that
// shows values up to `top` with a little room above them, and at least `least`.
double roundedTop(double top, double least) {
    const double want = std::max(top * 1.05, least);
    for (double step : {1.0, 2.0, 5.0, 10.0, 20.0, 25.0, 50.0, 100.0, 200.0, 250.0, 500.0, 1000.0})
        if (step * 5 >= want)
            return step * 5;
    return std::ceil(want / 5000) * 5000;
}

} // namespace

HistoryChart::HistoryChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    chart->setBackgroundBrush(palette::kFaceLight);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    setChart(chart);

    time_ = new QDateTimeAxis;
    time_->setTitleText(QStringLiteral("Time"));
    chart->addAxis(time_, Qt::AlignBottom);
    percent_ = new QValueAxis;
    percent_->setTitleText(QStringLiteral("Charge, load (%)"));
    percent_->setLabelFormat(QStringLiteral("%d"));
    percent_->setTickCount(6);
    chart->addAxis(percent_, Qt::AlignLeft);
    minutes_ = new QValueAxis;
    minutes_->setTitleText(QStringLiteral("Runtime (min)"));
    minutes_->setLabelFormat(QStringLiteral("%d"));
    minutes_->setTickCount(6);
    chart->addAxis(minutes_, Qt::AlignRight);
    volts_ = new QValueAxis;
    volts_->setTitleText(QStringLiteral("Input (V)"));
    volts_->setLabelFormat(QStringLiteral("%d"));
    volts_->setTickCount(6);
    chart->addAxis(volts_, Qt::AlignRight);

    // Behind the lines: added first.
    failedEdge_ = new QLineSeries(this);
    failures_ = new QAreaSeries(failedEdge_);
    failures_->setName(QStringLiteral("Power failed"));
    QColor shade = palette::kBattery;
    shade.setAlpha(100);
    failures_->setBrush(shade);
    failures_->setPen(Qt::NoPen);
    chart->addSeries(failures_);
    failures_->attachAxis(time_);
    failures_->attachAxis(percent_);

    for (const LineLook& look : kLooks)
        addPiece(look);
}

// Every piece of a line looks the same.
QLineSeries* HistoryChart::addPiece(const LineLook& look) {
    auto* series = new QLineSeries;
    series->setName(QString::fromLatin1(look.name));
    series->setPen(QPen(look.colour, 2));
    chart()->addSeries(series);
    series->attachAxis(time_);
    const bool percent = look.line == HistoryLine::Charge || look.line == HistoryLine::Load;
    series->attachAxis(percent ? percent_ : look.line == HistoryLine::Runtime ? minutes_ : volts_);
    lines_[size_t(look.line)].append(series);
    return series;
}

void HistoryChart::showSeries(const HistorySeries& series, qint64 from, qint64 to) {
    const qint64 span = to - from;
    time_->setFormat(span <= 2 * 24 * 3600 ? QStringLiteral("HH:mm") : QStringLiteral("d MMM"));
    time_->setTickCount(span <= 3600 ? 7 : span <= 24 * 3600 ? 9 : span <= 8 * 24 * 3600 ? 8 : 7);
    time_->setRange(QDateTime::fromSecsSinceEpoch(from), QDateTime::fromSecsSinceEpoch(to));

    for (const LineLook& look : kLooks) {
        const QList<QList<QPointF>> pieces = series.pieces(look.line);
        QList<QLineSeries*>& shown = lines_[size_t(look.line)];
        while (shown.size() < pieces.size())
            addPiece(look);
        for (qsizetype i = 0; i < shown.size(); ++i) {
            shown[i]->replace(i < pieces.size() ? pieces[i] : QList<QPointF>());
            shown[i]->setVisible(i < pieces.size());
            // A series shown again shows its legend entry again: one entry per line.
            for (QLegendMarker* m : chart()->legend()->markers(shown[i]))
                m->setVisible(i == 0 && !pieces.isEmpty());
        }
    }
    const double overload = highest(series.line(HistoryLine::Load));
    percent_->setRange(0, overload > 100 ? roundedTop(overload, 100) : 100);
    minutes_->setRange(0, roundedTop(highest(series.line(HistoryLine::Runtime)), 10));
    minutes_->setVisible(!series.line(HistoryLine::Runtime).isEmpty());
    const QList<QPointF>& voltage = series.line(HistoryLine::Voltage);
    volts_->setVisible(!voltage.isEmpty());
    volts_->setRange(0, roundedTop(highest(voltage), 10));

    // A step up to the top of the percent axis for each failed stretch, at least one
    // percent of the period wide: a ten-minute failure in a month would be thinner than a pixel.
    QList<QPointF> edge;
    const double top = percent_->max();
    const double least = double(span) * 1000 / 100;
    for (const auto& [start, end] : series.failures) {
        const double widen = std::max(0.0, (least - double(end - start)) / 2);
        const double left = double(start) - widen, right = double(end) + widen;
        edge << QPointF(left, 0) << QPointF(left, top) << QPointF(right, top) << QPointF(right, 0);
    }
    failedEdge_->replace(edge);
    for (QLegendMarker* m : chart()->legend()->markers(failures_))
        m->setVisible(!edge.isEmpty());

    chart()->setTitle(series.samples == 0 ? QStringLiteral("No samples in this period yet") : QString());
}

} // namespace brightlock
