// The monitor's displays and tray states, as tables, and the battery reading; see monitor.h.
#include "monitor.h"

#include <QStringList>
#include <algorithm>
#include <chrono>

namespace brightlock {
namespace {

struct DisplayRow {
    const char* text;
    QColor color;
    bool sok, slow, alarm;
    void (PowerPath::*pipes[3])();
    bool shutdownEnabled;
};

// Indexed by Monitor::Display. Columns: the message and its colour; the on-battery,
// low-battery and alarm signs; the power-path pipes, drawn first to last; whether the
// "Shutdown" button is enabled.
using P = PowerPath;
// clang-format off
const DisplayRow kDisplays[] = {
    {"UPS is on-line",     QColor(0, 128, 0),   false, false, false, {&P::AcPipeDisplay,  &P::DcPipeDisable,  &P::LowPipeDisable}, false},
    {"UPS is on Battery",  QColor(255, 128, 0), true,  false, true,  {&P::DcPipeDisplay,  &P::LowPipeDisable, &P::AcPipeDisable},  true},
    {"UPS is Low Battery", QColor(255, 0, 0),   false, true,  true,  {&P::LowPipeDisplay, &P::DcPipeDisable,  &P::AcPipeDisable},  true},
};
// clang-format on

struct TrayRow {
    TrayPicture picture;
    const char* tip;
};

// Indexed by Monitor::TrayState; Idle is resolved to the serial or USB row by the link. The
// disconnected state has the USB idle tip with a greyed picture of its own.
const TrayRow kTrays[] = {
    {TrayPicture::ImaSOk, "UPS is on battery"},
    {TrayPicture::ImaSLow, "UPS is low battery"},
    {TrayPicture::ImaMain, "Wrenfield System"},
    {TrayPicture::ImaMain, "Brightlock"},
    {TrayPicture::ImaUnCon, "Brightlock \u2014 not protected: the UPS does not answer"},
};

// Minutes of runtime as a person reads a battery: whole minutes left, never more.
QString runtimeText(qint64 seconds) {
    if (seconds < 60)
        return QStringLiteral("< 1 min");
    return QStringLiteral("%1 min").arg(seconds / 60);
}

// The time before the shutdown, never more than is left: whole minutes, seconds in the last one.
QString shutdownText(qint64 seconds) {
    if (seconds < 60)
        return QStringLiteral("shutdown in %1 s").arg(std::max<qint64>(seconds, 0));
    return QStringLiteral("shutdown in %1 min").arg(seconds / 60);
}

} // namespace

Monitor::Monitor(Ports ports, QObject* parent)
    : QObject(parent), ports_(ports), link_(ports.psu), powerPath_(link_.flags()), notices_(ports.notices) {
    clock_ = [] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
    Timer1.setInterval(kPollMs);
    TimerSub.setInterval(kCountdownMs);
    connect(&Timer1, &QTimer::timeout, this, &Monitor::Timer1Tick);
    connect(&TimerSub, &QTimer::timeout, this, &Monitor::TimerSubTick);
}

QString Monitor::displayText(Display d) {
    return QString::fromLatin1(kDisplays[int(d)].text);
}

void Monitor::show(Display d) {
    const DisplayRow& row = kDisplays[int(d)];
    area_.LblMessage = QString::fromLatin1(row.text);
    area_.messageColor = row.color;
    area_.ImaSOk = row.sok;
    area_.ImaSLow = row.slow;
    area_.ImaAlarm = row.alarm;
    for (auto pipe : row.pipes)
        (powerPath_.*pipe)();
    area_.CmdShutdownEnabled = row.shutdownEnabled;
    area_.notify();
}

void Monitor::setTray(TrayState t) {
    if (t == TrayState::Idle && flags().UsbLink)
        t = TrayState::IdleUsb;
    const TrayRow& row = kTrays[int(t)];
    showTray(row.picture, QString::fromUtf8(row.tip));
}

void Monitor::showTray(TrayPicture picture, const QString& text) {
    trayPicture_ = picture;
    trayText_ = text;
    ports_.tray.ShowTrayIcon(picture, trayTip());
}

// Only an answering USB UPS has a reading; the serial link has none.
BatteryReading Monitor::batteryReading() const {
    const UpsFlags& f = link_.flags();
    return f.UsbLink && f.UpsReplyOk ? link_.battery() : BatteryReading{};
}

QString Monitor::trayTip() const {
    // Not protected for a reason the user can mend: the tip says which.
    if (trayPicture_ == TrayPicture::ImaUnCon && !link_.flags().UsbLink && !link_.linkFault().isEmpty())
        return trayText_ + QStringLiteral(" \u2014 ") + link_.linkFault();
    QStringList reading;
    if (!area_.batteryCharge.isEmpty())
        reading << area_.batteryCharge;
    if (!area_.batteryRuntime.isEmpty())
        reading << area_.batteryRuntime;
    // Worked out afresh: a new tray state comes with a countdown just armed or stopped.
    if (const std::optional<qint64> left = secondsToShutdown())
        reading << shutdownText(*left);
    if (reading.isEmpty())
        return trayText_;
    return trayText_ + QStringLiteral(" \u2014 ") + reading.join(QStringLiteral(", "));
}

// While the mains are failed: the running countdown's seconds, or, before the battery level
// has started one, the time until it will: the UPS's runtime (which assumes the present
// load) down to the runtime threshold, or, taking the discharge as even, down to the charge
// threshold (runtime x (charge - threshold) / charge), plus the low-battery delay the
// threshold then arms; the soonest of them. nullopt when none applies.
std::optional<qint64> Monitor::secondsToShutdown() const {
    const UpsFlags& f = link_.flags();
    if ((f.UsbLink && !f.UpsReplyOk) || !acFailed())
        return std::nullopt; // a UPS that does not answer tells nothing

    std::optional<qint64> soonest;
    auto consider = [&soonest](qint64 s) { soonest = soonest ? std::min(*soonest, s) : s; };
    if (TimerSub.isActive())
        consider(state_.ShutdownSeconds);
    const BatteryReading b = batteryReading();
    if (state_.LevelCriticalNoted || !b.runtimeSeconds)
        return soonest;
    const settings::BatteryLevelLimits limits = settings::batteryLevelLimits();
    if (!limits.any())
        return soonest;
    const qint64 runtime = *b.runtimeSeconds;
    std::optional<qint64> untilLevel;
    if (limits.runtimeSeconds > 0)
        untilLevel = std::max<qint64>(runtime - limits.runtimeSeconds, 0);
    if (limits.chargePercent > 0 && b.chargePercent && *b.chargePercent > 0) {
        const qint64 byCharge =
            std::max<qint64>(runtime * (*b.chargePercent - limits.chargePercent) / *b.chargePercent, 0);
        untilLevel = untilLevel ? std::min(*untilLevel, byCharge) : byCharge;
    }
    if (untilLevel)
        consider(*untilLevel + settings::delaySeconds(settings::PowerEvent::LowBattery));
    return soonest;
}

void Monitor::showBattery() {
    const BatteryReading b = batteryReading();
    const QString charge = b.chargePercent ? QStringLiteral("%1 %").arg(*b.chargePercent) : QString();
    const QString runtime = b.runtimeSeconds ? runtimeText(*b.runtimeSeconds) : QString();
    const std::optional<qint64> left = secondsToShutdown();
    const QString shutdownIn = left ? shutdownText(*left) : QString();
    if (charge == area_.batteryCharge && runtime == area_.batteryRuntime && shutdownIn == area_.shutdownIn)
        return;
    area_.batteryCharge = charge;
    area_.batteryRuntime = runtime;
    area_.shutdownIn = shutdownIn;
    area_.notify();
    // The tip changes with the reading; a new tray state sends its own (showTray).
    if (!trayText_.isEmpty())
        ports_.tray.setTip(trayTip());
}

void Monitor::unloadAlarmIfShown() {
    if (!state_.AlarmShown)
        return;
    state_.AlarmShown = false;
    ports_.alarm.unloadAlarm();
}

} // namespace brightlock
