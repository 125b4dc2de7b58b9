// The monitor's displays and tray states, as tables; see monitor.h.
#include "monitor.h"

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

// Indexed by Monitor::TrayState; Idle is resolved to the serial or USB row by the link.
const TrayRow kTrays[] = {
    {TrayPicture::ImaSOk, "UPS is on battery"},
    {TrayPicture::ImaSLow, "UPS is low battery"},
    {TrayPicture::ImaMain, "Wrenfield System"},
    {TrayPicture::ImaMain, "Brightlock"},
};

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
    ports_.tray.ShowTrayIcon(row.picture, QString::fromLatin1(row.tip));
}

void Monitor::unloadAlarmIfShown() {
    if (!state_.AlarmShown)
        return;
    state_.AlarmShown = false;
    ports_.alarm.unloadAlarm();
}

} // namespace brightlock
