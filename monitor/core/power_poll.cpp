// The power-event poll, the shutdown countdown and the disconnected display.
#include "monitor.h"

#include "log_categories.h"
#include "settings_catalogue.h"

#include <algorithm>

BRIGHTLOCK_LOGGING_CATEGORY(lcPoll, "brightlock.poll")

namespace brightlock {

using settings::PowerEvent;

// One poll: read the UPS, then the mains check, the battery-low check and the trim, in
// that order, so that in the low-battery state the low-battery display is what stays on
// screen. The first-time actions of an event run once, guarded by its "noted" flag; the
// displays are set again at every poll while the state lasts.
void Monitor::Timer1Tick() {
    notices_.pollStarts();
    if (!readUps()) {
        UnConShow();
        notices_.tellLinkState(area_.LblMessage, trayPicture_);
        emit polled();
        return; // no trimming while the UPS does not answer
    }
    checkMains();
    checkBatteryLow();
    checkBatteryLevel();
    // Back from the disconnected state with no event to set the tray: it leaves the greyed
    // picture for the state the UPS is in.
    if (trayPicture_ == TrayPicture::ImaUnCon)
        setTray(batteryLow() ? TrayState::LowBattery : acFailed() ? TrayState::OnBattery : TrayState::Idle);
    showBattery();
    notices_.tellLinkState(area_.LblMessage, trayPicture_);
    trimStores();
    emit polled();
}

bool Monitor::readUps() {
    takeLinkFromSettings();
    const UpsFlags& f = link_.flags();
    if (!f.UsbLink) {
        const bool up = link_.serialLineUp(ports_.serial);
        notices_.queryAnswered(up);
        return up;
    }
    if (!f.UpsReplyOk) {
        link_.psu().CloseHandleDevice();
        link_.psu().HidHandle();
    }
    const bool answeredBefore = f.UpsReplyOk;
    queryStatus();
    if (answeredBefore != f.UpsReplyOk)
        qCDebug(lcPoll) << (f.UpsReplyOk ? "the UPS answers" : "the UPS does not answer");
    return f.UpsReplyOk;
}

void Monitor::queryStatus() {
    link_.QueryUps(1);
    if (flags().UpsReplyOk)
        lastAnswerMs_ = now();
    notices_.queryAnswered(flags().UpsReplyOk);
}

// The countdown pauses while the UPS does not answer, but not for ever: a UPS whose
// interface dies with the mains (a cable pulled, a network server without power) would
// otherwise keep the machine running until the battery is empty. Once the last reading
// said on battery or low battery and the silence has lasted kSilenceLimitMs, the
// countdown goes on as though that reading still held.
bool Monitor::silenceOutlasted() const {
    const UpsFlags& f = link_.flags();
    return lastAnswerMs_ && (f.UpsOnBatt || f.UpsLowBatt) && now() - *lastAnswerMs_ >= kSilenceLimitMs;
}

// On the serial link every test reads its line again at the moment it is made.
bool Monitor::acFailed() const {
    return link_.flags().UsbLink ? link_.flags().UpsOnBatt : ports_.serial.cts();
}

bool Monitor::batteryLow() const {
    return link_.flags().UsbLink ? link_.flags().UpsLowBatt : ports_.serial.cd();
}

void Monitor::checkMains() {
    if (acFailed() && batteryLow()) {
        // Only the battery-low check acts: no on-battery display, countdown or record.
        state_.LowBattActive = true;
    } else if (acFailed() && !batteryLow()) {
        state_.LowBattActive = false;
        show(Display::OnBattery);
        if (!state_.OnBattNoted)
            mainsFailed();
        state_.OnBattNoted = true;
    } else if (!acFailed()) {
        show(Display::OnLine);
        unloadAlarmIfShown();
        stopCountdown();
        countdownInFailure_ = false;
        state_.LevelCriticalNoted = false;
        if (state_.OnBattNoted)
            mainsBack();
        state_.OnBattNoted = false;
    }
}

void Monitor::checkBatteryLow() {
    if (batteryLow()) {
        show(Display::LowBattery);
        if (!state_.LowBattNoted)
            batteryLowStarts();
        // Noted even when the event's record is disabled: otherwise the first-time
        // actions would repeat at every poll and re-arm the countdown for ever.
        state_.LowBattNoted = true;
    } else {
        if (state_.LowBattNoted)
            batteryLowEnds();
        state_.LowBattNoted = false;
    }
}

// What the UPS reports of its battery, during a mains failure: at or below a threshold of
// [UpsBatteryLevel], the low-battery shutdown starts, once per failure. A link that
// reports neither charge nor runtime (the serial one) is never judged by it.
void Monitor::checkBatteryLevel() {
    if (!acFailed() || state_.LevelCriticalNoted)
        return;
    const BatteryReading b = batteryReading();
    if (!b.chargePercent && !b.runtimeSeconds)
        return;
    const settings::BatteryLevelLimits limits = settings::batteryLevelLimits();
    const bool runtimeShort =
        limits.runtimeSeconds > 0 && b.runtimeSeconds && *b.runtimeSeconds <= limits.runtimeSeconds;
    const bool chargeShort =
        limits.chargePercent > 0 && b.chargePercent && *b.chargePercent <= limits.chargePercent;
    if (runtimeShort || chargeShort)
        batteryLevelCritical();
}

// Each event's desktop notification says what the Status page and the records say; one that
// starts the countdown is critical and says when the computer goes down.
void Monitor::mainsFailed() {
    qCDebug(lcPoll) << "mains failed: the UPS runs on battery";
    const bool counting = armCountdown(PowerEvent::OnBattery);
    setTray(TrayState::OnBattery); // after the countdown, which its tip tells
    const QString text = QStringLiteral("Attention!! System Power Failed");
    if (settings::eventEnabled(PowerEvent::OnBattery) && settings::recordLog(PowerEvent::OnBattery))
        ports_.records.record(text);
    tellTrouble(NoticeTopic::Mains, text, counting);
}

void Monitor::mainsBack() {
    qCDebug(lcPoll) << "mains back";
    setTray(TrayState::Idle);
    const QString text = QStringLiteral("System AC Power Recovered");
    ports_.records.record(text);
    tellRecovery(NoticeTopic::Mains, area_.LblMessage, text);
}

void Monitor::batteryLowStarts() {
    qCDebug(lcPoll) << "battery low";
    const bool counting = armCountdown(PowerEvent::LowBattery); // replaces a countdown already running
    setTray(TrayState::LowBattery);
    const QString text = QStringLiteral("Attention!! UPS Battery Low");
    if (settings::eventEnabled(PowerEvent::LowBattery) && settings::recordLog(PowerEvent::LowBattery))
        ports_.records.record(text);
    tellTrouble(NoticeTopic::BatteryLow, text, counting);
}

// The shutdown starts as for a low battery, with its delay; a countdown already running
// goes on when it would end sooner.
void Monitor::batteryLevelCritical() {
    qCDebug(lcPoll) << "battery level critical";
    state_.LevelCriticalNoted = true;
    startCountdown(settings::delaySeconds(PowerEvent::LowBattery));
    const QString text = QStringLiteral("Attention!! UPS Battery Level Critical");
    ports_.records.record(text);
    tellTrouble(NoticeTopic::BatteryLow, text, true);
}

void Monitor::batteryLowEnds() {
    qCDebug(lcPoll) << "battery low ended";
    // The next poll then treats a mains failure that goes on as a new one. A countdown
    // already running goes on: during one mains failure its deadline holds, so a battery-low
    // signal that comes and goes cannot put the shutdown off; the on-battery countdown armed
    // then only shortens it (startCountdown). When the mains are back, checkMains has
    // stopped it already.
    if (settings::shutdownIsOne(PowerEvent::LowBattery))
        state_.OnBattNoted = false;
    const bool onBattery = acFailed();
    setTray(onBattery ? TrayState::OnBattery : TrayState::Idle);
    const QString text = QStringLiteral("UPS Battery Low Recovered");
    ports_.records.record(text);
    tellRecovery(NoticeTopic::BatteryLow, displayText(onBattery ? Display::OnBattery : Display::OnLine),
                 text);
}

// Each notification wears the tray's picture of the state it tells of, which the event
// has just set.
void Monitor::tellTrouble(NoticeTopic topic, const QString& text, bool counting) {
    notices_.tellTrouble(topic, area_.LblMessage, trayPicture_, text,
                         counting ? std::optional<int32_t>(state_.ShutdownSeconds) : std::nullopt);
}

void Monitor::tellRecovery(NoticeTopic topic, const QString& summary, const QString& text) {
    notices_.tellRecovery(topic, summary, trayPicture_, text);
}

void Monitor::trimStores() {
    const settings::RecordLimits limits = settings::recordLimits();
    ports_.records.trimStep(Store::Log, limits.log);
    ports_.records.trimStep(Store::Ups, limits.events);
    ports_.records.trimStep(Store::Closed, limits.closed);
}

bool Monitor::armCountdown(PowerEvent event) {
    if (!settings::shutdownArmed(event))
        return false;
    startCountdown(settings::delaySeconds(event));
    return true;
}

void Monitor::startCountdown(int32_t seconds) {
    // During one mains failure a countdown that replaces another never runs longer than
    // what was left of it: a flickering battery-low signal would otherwise restart it at
    // full length for ever.
    if (countdownInFailure_)
        seconds = std::min(seconds, std::max(state_.ShutdownSeconds, 0));
    countdownInFailure_ = true;
    state_.ShutdownSeconds = seconds;
    qCDebug(lcPoll) << "countdown armed:" << state_.ShutdownSeconds << "s";
    if (!TimerSub.isActive())
        TimerSub.start();
    emit countdownArmed(state_.ShutdownSeconds);
}

void Monitor::stopCountdown() {
    if (TimerSub.isActive())
        notices_.countdownCalledOff(); // told by this poll's notification
    TimerSub.stop();
    area_.LblAlarm.clear();
    area_.notify();
}

// The two links end their countdowns differently, and users of each know their texts:
// the serial countdown shows N down to 0 and raises the alarm below 0 ("Seconds" after
// one blank); the USB countdown shows N down to 1, raises it at 0 ("Seconds" after two
// blanks) and pauses while the UPS does not answer, for at most kSilenceLimitMs.
void Monitor::TimerSubTick() {
    if (!link_.flags().UsbLink) {
        area_.LblAlarm = QStringLiteral("System ShutDown After %1 Seconds").arg(state_.ShutdownSeconds);
        area_.notify();
        --state_.ShutdownSeconds;
        if (state_.ShutdownSeconds < 0)
            countdownRanOut();
        return;
    }
    if (!flags().UpsReplyOk && !silenceOutlasted())
        return;
    area_.LblAlarm = QStringLiteral("System ShutDown After %1  Seconds").arg(state_.ShutdownSeconds);
    area_.notify();
    --state_.ShutdownSeconds;
    if (state_.ShutdownSeconds <= 0)
        countdownRanOut();
}

void Monitor::countdownRanOut() {
    TimerSub.stop();
    // The machine is already going down; an alarm window now would only take the
    // keyboard from the closer while it saves the user's work.
    if (state_.ShuttingDown)
        return;
    qCDebug(lcPoll) << "countdown ran out: the alarm window";
    ports_.alarm.showAlarm();
}

void Monitor::UnConShow() {
    using P = PowerPath;
    for (P::Picture p : {P::ImageBL1, P::ImageBL2, P::ImageDC1, P::ImageDC2, P::ImageAC2})
        powerPath_.setShown(p, false);
    // The flow picture goes too, so nothing on the diagram suggests power is flowing.
    powerPath_.setShown(P::Image1, false);
    powerPath_.setShown(P::ImageAC1, true);
    powerPath_.Timer4.stop();
    powerPath_.Timer5.stop();
    powerPath_.Timer6.stop();
    area_.CmdShutdownEnabled = false;
    area_.LblMessage = QStringLiteral("UPS Disconnect");
    area_.messageColor = QColor(96, 96, 96); // neutral: not the green of a healthy UPS
    area_.LblAlarm = QStringLiteral(" ");
    area_.ImaSOk = false;
    area_.ImaSLow = false;
    area_.batteryCharge.clear();
    area_.batteryRuntime.clear();
    area_.shutdownIn.clear();
    area_.notify();
    setTray(TrayState::Disconnected);
}

} // namespace brightlock
