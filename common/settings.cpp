// Typed settings reads; see settings.h.
#include "settings.h"

#include "ini.h"
#include "ini_file.h"
#include "ini_read.h"
#include "ini_text.h"

#include <atomic>
#include <cmath>
#include <cstdio>

namespace brightlock {

QString shippedValue(const QString& section, const QString& key) {
    auto v = ini::lookup(shippedSettingsText(), section.toStdString(), key.toStdString());
    return v ? QString::fromStdString(*v) : QString();
}

bool installSettingsFile() {
    return ini::createFile(SettingsFile().toStdString(), shippedSettingsText());
}

std::optional<std::string> settingsText() {
    static std::atomic<bool> told{false};
    const std::string path = SettingsFile().toStdString();
    std::string why;
    std::optional<std::string> text = ini::readValuesText(path, &why);
    if (text) {
        told = false;
    } else if (!told.exchange(true)) {
        std::fprintf(stderr,
                     "brightlock: the settings file %s cannot be read (%s): the shipped settings apply, "
                     "with the shutdown armed.\n",
                     path.c_str(), why.c_str());
    }
    return text;
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

namespace {

std::optional<double> numberIn(const std::optional<std::string>& text, const QString& section,
                               const QString& key) {
    if (!text)
        return std::nullopt;
    const auto v = ini::lookup(*text, section.toStdString(), key.toStdString());
    return v ? parseNumber(iniValueText(*v)) : std::nullopt;
}

} // namespace

std::optional<double> storedNumber(const QString& section, const QString& key) {
    return numberIn(settingsText(), section, key);
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
    const std::optional<std::string> text = settingsText();
    if (!text)
        return parseNumber(shippedValue(section, key)).value_or(0) != 0;
    auto v = numberIn(text, section, key);
    return v && *v != 0;
}

} // namespace brightlock
