// The History window; see frm_history.h.
#include "frm_history.h"

#include "canvas_rules.h"
#include "form_skin.h"
#include "history_samples.h"
#include "resource_paths.h"
#include "window_placement.h"
#include "xpcmdbutton.h"
#include "xpradiobutton.h"

#include <QDateTime>

namespace brightlock {
namespace {

// The period options in a row under the title bar, the chart below them, the button above
// the bottom border at the right.
constexpr int kOptionsTop = 40;
constexpr QSize kOptionSize(120, 20);
constexpr QRect kChartRect(14, 66, 752, 398);
constexpr QRect kCloseRect(680, 474, 86, 27);
// Slices of a period: about one per pixel column of the chart.
constexpr int kSlices = 700;

struct PeriodOption {
    frmHistory::Period period;
    const char* name;
    const char* caption;
};
const PeriodOption kOptions[] = {
    {frmHistory::Period::Hour, "OptHour", "Last hour"},
    {frmHistory::Period::Day, "OptDay", "Last day"},
    {frmHistory::Period::Week, "OptWeek", "Last week"},
    {frmHistory::Period::Month, "OptMonth", "Last month"},
};

} // namespace

qint64 frmHistory::seconds(Period period) {
    switch (period) {
    case Period::Hour:
        return 3600;
    case Period::Day:
        return 24 * 3600;
    case Period::Week:
        return 7 * 24 * 3600;
    case Period::Month:
        break;
    }
    return 31 * 24 * 3600;
}

frmHistory::frmHistory(const HistoryStore& store, Clock clock, QWidget* parent)
    : SkinnedForm(parent), store_(store),
      clock_(clock ? std::move(clock) : [] { return QDateTime::currentSecsSinceEpoch(); }) {
    setObjectName(QStringLiteral("frmHistory"));
    setTitle(QStringLiteral("History"));
    setWindowIcon(QIcon(QString::fromLatin1(res::kIconMain)));
    setFixedSize(kWidth, kHeight);

    int left = 28;
    for (size_t i = 0; i < std::size(kOptions); ++i) {
        auto* option = new xpradiobutton(QString::fromLatin1(kOptions[i].caption), this);
        option->setObjectName(QString::fromLatin1(kOptions[i].name));
        option->setGeometry(QRect(QPoint(left, kOptionsTop), kOptionSize));
        left += kOptionSize.width() + 20;
        const Period period = kOptions[i].period;
        connect(option, &xpradiobutton::Click, this, [this, period] { setPeriod(period); });
        options_[i] = option;
    }

    chart_ = new HistoryChart(this);
    chart_->setObjectName(QStringLiteral("ChartHistory"));
    chart_->setGeometry(kChartRect);

    auto* close = new xpcmdbutton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CmdClose"));
    close->setGeometry(kCloseRect);
    connect(close, &xpcmdbutton::Click, this, &QWidget::close);
    connect(this, &SkinnedForm::TitleCloseClick, this, &QWidget::close);
    connect(this, &SkinnedForm::TitleMinimizeClick, this, &QWidget::showMinimized);
    connect(this, &SkinnedForm::TitleMouseDown, this, [this](int button) {
        if (canvas::titlePressDrags(button, canvas::windowStateOf(windowState())))
            DragForm(this);
    });

    LayoutFormSkin(this);
    centreOnPrimaryScreen(this);
    for (size_t i = 0; i < std::size(kOptions); ++i)
        options_[i]->setValue(kOptions[i].period == period_);
}

void frmHistory::setPeriod(Period period) {
    period_ = period;
    for (size_t i = 0; i < std::size(kOptions); ++i)
        options_[i]->setValue(kOptions[i].period == period);
    if (isVisible())
        refresh(); // else when shown
}

void frmHistory::refresh() {
    const qint64 to = clock_() + 1;
    const qint64 from = to - seconds(period_);
    chart_->showSeries(historySeries(store_, from, to, kSlices), from, to);
}

void frmHistory::showEvent(QShowEvent* event) {
    refresh();
    SkinnedForm::showEvent(event);
}

} // namespace brightlock
