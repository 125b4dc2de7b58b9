// Reading and writing the catalogued settings; see settings_catalogue.h.
#include "settings_catalogue.h"

#include "app_paths.h"
#include "ini.h"
#include "settings.h"

#include <cmath>

namespace brightlock {

bool Setting::accepts(double value) const {
    if (value < min || value > max)
        return false;
    return !whole || value == std::floor(value);
}

namespace settings {

const EventSettings& eventSettings(PowerEvent event) {
    return event == PowerEvent::LowBattery ? UpsLowBattery : UpsOnBattery;
}

QString readText(const Setting& s) {
    return ReadIni(SettingsFile(), s.sectionName(), s.keyName(), QString());
}

std::optional<double> storedNumber(const Setting& s) {
    return parseNumber(readText(s));
}

QString shippedText(const Setting& s) {
    return shippedValue(s.sectionName(), s.keyName());
}

double readNumber(const Setting& s) {
    if (auto v = storedNumber(s); v && s.accepts(*v))
        return *v;
    return parseNumber(shippedText(s)).value_or(0);
}

bool readFlag(const Setting& s) {
    if (s.rule == SettingRule::SafetyFlag) {
        auto v = storedNumber(s);
        return v && *v != 0;
    }
    if (auto v = storedNumber(s))
        return *v != 0;
    return parseNumber(shippedText(s)).value_or(0) != 0;
}

bool write(const Setting& s, const QString& value) {
    return WriteIni(SettingsFile(), s.sectionName(), s.keyName(), value) == QLatin1String("1");
}

bool write(const Setting& s, int value) {
    return write(s, QString::number(value));
}

int comboPort() {
    return int(readNumber(ComboPort));
}

bool shutdownArmed(PowerEvent event) {
    return readFlag(eventSettings(event).Shutdown);
}

bool shutdownIsOne(PowerEvent event) {
    auto v = storedNumber(eventSettings(event).Shutdown);
    return v && *v == 1;
}

int delaySeconds(PowerEvent event) {
    return int(std::nearbyint(readNumber(eventSettings(event).Delaytime) * 60));
}

bool eventEnabled(PowerEvent event) {
    return readNumber(eventSettings(event).Disableevent) == 0;
}

bool recordLog(PowerEvent event) {
    return readFlag(eventSettings(event).Recordlog);
}

int recordLimit(const Setting& limit) {
    return int(std::nearbyint(readNumber(limit)));
}

bool saveApplications() {
    return readFlag(Saveapllication);
}

bool saveListRequested() {
    return readFlag(SaveList);
}

bool shutdownRequested() {
    auto v = storedNumber(ShutDown);
    return v && *v == 1;
}

bool notificationsOn() {
    return readFlag(Notifications);
}

} // namespace settings

namespace closeapp {

QString filePath() {
    return ApplicationDirectory() + QLatin1Char('/') + QLatin1String(kFileName);
}

} // namespace closeapp

} // namespace brightlock
