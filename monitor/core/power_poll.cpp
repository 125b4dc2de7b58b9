// The power-event poll, the shutdown countdown and the disconnected display.
#include "monitor.h"

#include "monitor_settings.h"

namespace brightlock {

void Monitor::Timer1Tick() {
    const bool serial = settings::serialLink();
    UpsFlags& f = flags();
    if (!serial) {
        f.UsbLink = true;
        if (!f.UpsReplyOk) {
            link_.psu().CloseHandleDevice();
            link_.psu().HidHandle();
        }
        link_.QueryUps(1);
        if (!f.UpsReplyOk) {
            UnConShow();
            return;
        }
    } else {
        f.UsbLink = false;
    }
    // On the serial link every test reads its line again at that moment.
    SerialLine& line = ports_.serial;
    auto acFailed = [&] { return serial ? line.cts() : f.UpsOnBatt; };
    auto low = [&] { return serial ? line.cd() : f.UpsLowBatt; };

    using namespace settings;
    if (acFailed() && low()) {
        state_.LowBattActive = true;
    } else if (acFailed() && !low()) {
        state_.LowBattActive = false;
        show(Display::OnBattery);
        if (!state_.OnBattNoted) {
            setTray(TrayState::OnBattery);
            armCountdown(kOnBattery);
        }
        if (eventEnabled(kOnBattery) && recordLog(kOnBattery) && !state_.OnBattNoted)
            ports_.records.record(QStringLiteral("Attention!! System Power Failed"));
        state_.OnBattNoted = true;
    } else if (!acFailed()) {
        show(Display::OnLine);
        unloadAlarmIfShown();
        page_.LblAlarm.clear();
        page_.notify();
        TimerSub.stop();
        if (state_.OnBattNoted) {
            setTray(TrayState::Idle);
            ports_.records.record(QStringLiteral("System AC Power Recovered"));
        }
        state_.OnBattNoted = false;
    }

    if (low()) {
        show(Display::LowBattery);
        if (!state_.LowBattNoted) {
            setTray(TrayState::LowBattery);
            armCountdown(kLowBattery); // replaces a countdown already running
        }
        if (eventEnabled(kLowBattery) && recordLog(kLowBattery) && !state_.LowBattNoted)
            ports_.records.record(QStringLiteral("Attention!! UPS Battery Low"));
        // Noted even when the event's record is disabled: otherwise the first-time
        // actions would repeat at every poll and re-arm the countdown for ever.
        state_.LowBattNoted = true;
    } else {
        if (state_.LowBattNoted) {
            if (shutdownIsOne(kLowBattery)) {
                TimerSub.stop();
                page_.LblAlarm.clear();
                page_.notify();
                state_.OnBattNoted = false;
            }
            setTray(acFailed() ? TrayState::OnBattery : TrayState::Idle);
            ports_.records.record(QStringLiteral("UPS Battery Low Recovered"));
        }
        state_.LowBattNoted = false;
    }

    ports_.records.trimStep(EventRecorder::Log, recordLimit(QStringLiteral("Logcount")));
    ports_.records.trimStep(EventRecorder::Ups, recordLimit(QStringLiteral("Eventcount")));
    ports_.records.trimStep(EventRecorder::Closed, recordLimit(QStringLiteral("Closecount")));
}

void Monitor::TimerSubTick() {
    if (settings::serialLink()) {
        page_.LblAlarm = QStringLiteral("System ShutDown After %1 Seconds").arg(state_.ShutdownSeconds);
        page_.notify();
        --state_.ShutdownSeconds;
        if (state_.ShutdownSeconds < 0) {
            TimerSub.stop();
            ports_.alarm.showAlarm();
        }
        return;
    }
    if (!flags().UpsReplyOk)
        return; // the countdown pauses while the UPS does not answer
    page_.LblAlarm = QStringLiteral("System ShutDown After %1  Seconds").arg(state_.ShutdownSeconds);
    page_.notify();
    --state_.ShutdownSeconds;
    if (state_.ShutdownSeconds <= 0) {
        TimerSub.stop();
        ports_.alarm.showAlarm();
    }
}

void Monitor::UnConShow() {
    using P = StatusDisplay;
    display_.setShown(P::ImageBL1, false);
    display_.setShown(P::ImageBL2, false);
    display_.setShown(P::ImageDC1, false);
    display_.setShown(P::ImageDC2, false);
    display_.setShown(P::ImageAC2, false);
    // The flow picture goes too, so nothing on the diagram suggests power is flowing.
    display_.setShown(P::Image1, false);
    display_.setShown(P::ImageAC1, true);
    display_.Timer4.stop();
    display_.Timer5.stop();
    display_.Timer6.stop();
    page_.CmdShutdownEnabled = false;
    page_.LblMessage = QStringLiteral("UPS Disconnect");
    page_.messageColor = QColor(96, 96, 96);
    page_.LblAlarm = QStringLiteral(" ");
    page_.ImaSOk = false;
    page_.ImaSLow = false;
    page_.notify();
    setTray(TrayState::IdleUsb);
}

} // namespace brightlock
