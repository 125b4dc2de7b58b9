// Typed settings reads; see settings.h.
#include "settings.h"

#include "ini.h"
#include "ini_file.h"
#include "ini_text.h"

#include <cmath>

namespace brightlock {

QString shippedValue(const QString& section, const QString& key) {
    auto v = ini::lookup(shippedSettingsText(), section.toStdString(), key.toStdString());
    return v ? QString::fromStdString(*v) : QString();
}

bool installSettingsFile() {
    return ini::createFile(SettingsFile().toStdString(), shippedSettingsText());
}

std::optional<double> parseNumber(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    double v = t.toDouble(&ok); // C locale: "1.5", never "1,5"
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<double> storedNumber(const QString& section, const QString& key) {
    return parseNumber(ReadIni(SettingsFile(), section, key, QString()));
}

double readNumber(const QString& section, const QString& key, const std::function<bool(double)>& valid) {
    return numberOrShipped(storedNumber(section, key), section, key, valid);
}

double numberOrShipped(std::optional<double> stored, const QString& section, const QString& key,
                       const std::function<bool(double)>& valid) {
    if (stored && (!valid || valid(*stored)))
        return *stored;
    return parseNumber(shippedValue(section, key)).value_or(0);
}

bool readFlag(const QString& section, const QString& key) {
    return readNumber(section, key) != 0;
}

bool readSafetyFlag(const QString& section, const QString& key) {
    auto v = storedNumber(section, key);
    return v && *v != 0;
}

} // namespace brightlock
