// The "History" window: the battery history of the last hour, day, week or month as a chart,
// opened from the tray menu and the Status page. It reads the samples when it is shown, when
// a period is chosen and, while it is shown, whenever a new sample was stored.
#pragma once

#include "history_chart.h"
#include "skinned_form.h"

#include <functional>

namespace brightlock {

class HistoryStore;
class xpradiobutton;

class frmHistory : public SkinnedForm {
    Q_OBJECT
public:
    enum class Period { Hour, Day, Week, Month };

    static constexpr int kWidth = 780;
    static constexpr int kHeight = 520;

    // Seconds since the epoch; tests and the benchmark put their own clock in its place.
    using Clock = std::function<qint64()>;

    explicit frmHistory(const HistoryStore& store, Clock clock = nullptr, QWidget* parent = nullptr);

    // Chooses the period; the chart follows at once when the window is shown.
    void setPeriod(Period period);
    Period period() const { return period_; }
    // Reads the samples of the period again and redraws.
    void refresh();

    HistoryChart* chart() const { return chart_; }

    static qint64 seconds(Period period);

protected:
    void showEvent(QShowEvent* event) override;

private:
    const HistoryStore& store_;
    Clock clock_;
    Period period_ = Period::Day;
    HistoryChart* chart_;
    std::array<xpradiobutton*, 4> options_{};
};

} // namespace brightlock
