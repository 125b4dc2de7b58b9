// What the rest of the program asks of the monitor: the settings' link switch and countdown,
// the alarm window's load and the shutdown path's steps; see monitor.h.
#include "monitor.h"

#include "log_categories.h"
#include "pause_ms.h"
#include "settings_catalogue.h"

namespace brightlock {

int Monitor::takeLinkFromSettings() {
    const int port = settings::comboPort();
    link_.flags().UsbLink = port <= 0;
    return port;
}

QString Monitor::switchLink() {
    SerialLine& serial = ports_.serial;
    const int port = takeLinkFromSettings();
    if (port > 0) {
        link_.psu().CloseHandleDevice();
        if (serial.isOpen())
            serial.close();
        serial.setPort(port);
        if (!openUpsPort(serial))
            return serialPortMessage(port, QString::fromStdString(serial.fault()));
        return QString();
    }
    if (serial.isOpen())
        serial.close();
    link_.flags().UpsReplyOk = false; // the next poll opens the USB device again
    return QString();
}

void Monitor::rearmCountdown() {
    const settings::PowerEvent event = state_.LowBattActive || state_.LevelCriticalNoted
                                           ? settings::PowerEvent::LowBattery
                                           : settings::PowerEvent::OnBattery;
    const Setting& delay = settings::eventSettings(event).Delaytime;
    const std::optional<double> minutes = settings::storedNumber(delay);
    if (!minutes || !delay.accepts(*minutes)) {
        qCInfo(lcConfig) << "countdown not re-armed: no usable" << delay.sectionName() << delay.keyName();
        return;
    }
    state_.ShutdownSeconds = settings::delaySeconds(event);
}

void Monitor::alarmLoaded() {
    area_.LblAlarm.clear();
    area_.notify();
    state_.AlarmShown = true;
}

void Monitor::beginShutdown() {
    state_.ShuttingDown = true;
}

void Monitor::armAgain() {
    state_.ShuttingDown = false;
}

void Monitor::record(const QString& text) {
    ports_.records.record(text);
}

void Monitor::warnUser(const QString& summary, const QString& body) {
    notices_.tellShutdown(summary, body);
}

bool Monitor::upsSimulated() const {
    return link_.flags().UsbLink && ports_.psu.simulated();
}

void Monitor::switchUpsOff() {
    if (!link_.flags().UsbLink) {
        ports_.serial.setDtr(true);
        return;
    }
    link_.QueryUps(2);
    PauseMs(10);
    link_.QueryUps(2);
    PauseMs(10);
    link_.QueryUps(2);
}

} // namespace brightlock
