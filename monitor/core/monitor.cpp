// The monitor's displays and tray states, as tables, and the battery reading; see monitor.h.
#include "monitor.h"

#include <QStringList>
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

// Indexed by Monitor::Display.
const DisplayRow kDisplays[] = {
    {"UPS is on-line",
     QColor(0, 128, 0),
     false,
     false,
     false,
     {&PowerPath::AcPipeDisplay, &PowerPath::DcPipeDisable, &PowerPath::LowPipeDisable},
     false},
    {"UPS is on Battery",
     QColor(255, 128, 0),
     true,
     false,
     true,
     {&PowerPath::DcPipeDisplay, &PowerPath::LowPipeDisable, &PowerPath::AcPipeDisable},
     true},
    {"UPS is Low Battery",
     QColor(255, 0, 0),
     false,
     true,
     true,
     {&PowerPath::LowPipeDisplay, &PowerPath::DcPipeDisable, &PowerPath::AcPipeDisable},
     true},
};

struct TrayRow {
    TrayPicture picture;
    const char* tip;
};

// Indexed by Monitor::TrayState; Idle is resolved to the serial or USB row by the link. The
// disconnected state has the USB idle tip with a greyed picture of its own.
const TrayRow kTrays[] = {
    {TrayPicture::ImaSOk, "UPS is on battery"}, {TrayPicture::ImaSLow, "UPS is low battery"},
    {TrayPicture::ImaMain, "Wrenfield System"}, {TrayPicture::ImaMain, "Brightlock"},
    {TrayPicture::ImaUnCon, "Brightlock"},
};

// Minutes of runtime as a person reads a battery: whole minutes left, never more.
QString runtimeText(qint64 seconds) {
    if (seconds < 60)
        return QStringLiteral("< 1 min");
    return QStringLiteral("%1 min").arg(seconds / 60);
}

} // namespace

Monitor::Monitor(Ports ports, QObject* parent)
    : QObject(parent), ports_(ports), link_(ports.psu), powerPath_(link_.flags()) {
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
    showTray(row.picture, QString::fromLatin1(row.tip));
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
    if (reading.isEmpty())
        return trayText_;
    return trayText_ + QStringLiteral(" \u2014 ") + reading.join(QStringLiteral(", "));
}

void Monitor::showBattery() {
    const BatteryReading b = batteryReading();
    const QString charge = b.chargePercent ? QStringLiteral("%1 %").arg(*b.chargePercent) : QString();
    const QString runtime = b.runtimeSeconds ? runtimeText(*b.runtimeSeconds) : QString();
    if (charge == area_.batteryCharge && runtime == area_.batteryRuntime)
        return;
    area_.batteryCharge = charge;
    area_.batteryRuntime = runtime;
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
