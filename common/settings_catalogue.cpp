// Reading and writing the catalogued settings; see settings_catalogue.h.
#include "settings_catalogue.h"

#include "app_paths.h"
#include "ini.h"
#include "ini_text.h"
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
    return brightlock::storedNumber(s.sectionName(), s.keyName());
}

QString shippedText(const Setting& s) {
    return shippedValue(s.sectionName(), s.keyName());
}

double readNumber(const Setting& s) {
    return brightlock::readNumber(s.sectionName(), s.keyName(), [&s](double v) { return s.accepts(v); });
}

bool readFlag(const Setting& s) {
    if (s.rule == SettingRule::SafetyFlag)
        return readSafetyFlag(s.sectionName(), s.keyName());
    return brightlock::readFlag(s.sectionName(), s.keyName());
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

namespace {

// A setting's number by its rule from a text of the file read once for several settings.
double numberFrom(const std::optional<std::string>& file, const Setting& s) {
    std::optional<double> stored;
    if (file) {
        if (auto v = ini::lookup(*file, s.section, s.key))
            stored = parseNumber(iniValueText(*v));
    }
    if (s.rule == SettingRule::Flag) // any number counts
        return numberOrShipped(stored, s.sectionName(), s.keyName());
    return numberOrShipped(stored, s.sectionName(), s.keyName(), [&s](double v) { return s.accepts(v); });
}

} // namespace

RecordLimits recordLimits() {
    // One reading of the file for the three limits: the poll trims all three stores.
    const auto file = settingsText();
    auto limit = [&file](const Setting& s) { return int(std::nearbyint(numberFrom(file, s))); };
    return {limit(Logcount), limit(Eventcount), limit(Closecount)};
}

BatteryLevelLimits batteryLevelLimits() {
    const auto file = settingsText();
    if (numberFrom(file, LevelShutdown) == 0)
        return {};
    return {int(numberFrom(file, LevelRuntime)) * 60, int(numberFrom(file, LevelCharge))};
}

bool saveApplications() {
    return readFlag(Saveapllication);
}

bool hibernate() {
    return readFlag(Hibernate);
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
