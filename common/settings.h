// Typed reading of UpsConfigure.ini. Values are read from the file at every call; a
// value that is missing or not a number falls back to what the shipped file holds, so
// a damaged settings file never leaves a reader without a sensible number.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

namespace brightlock {

// The text of the settings file shipped with the programs.
const char* shippedSettingsText();

// The value the shipped file holds for a key (empty when it holds none).
QString shippedValue(const QString& section, const QString& key);

// Copies the shipped settings into the application directory when it has none.
// True when a settings file exists afterwards.
bool installSettingsFile();

// The settings file's text as the readers take it (over-long lines cut, see ini_read.h);
// nullopt when the file cannot be read at all. Then every reader gives the shipped value,
// the switches that arm a shutdown included, and standard error says so once, until the
// file can be read again.
std::optional<std::string> settingsText();

// A decimal number with optional blanks around it; nullopt for anything else.
std::optional<double> parseNumber(const QString& text);

// The number stored under the key; nullopt when it is missing or not a number.
std::optional<double> storedNumber(const QString& section, const QString& key);

// The number stored under the key when it is one that `valid` accepts (any number when
// no test is given), else the shipped value, else 0.
double readNumber(const QString& section, const QString& key,
                  const std::function<bool(double)>& valid = nullptr);
// The same rule for a number already read from the file (`stored`).
double numberOrShipped(std::optional<double> stored, const QString& section, const QString& key,
                       const std::function<bool(double)>& valid = nullptr);

// A flag: any number other than 0 is true. Missing or not a number: the shipped value.
bool readFlag(const QString& section, const QString& key);

// Like readFlag, but a missing or non-numeric value reads as false. For the switches
// that arm a shutdown: a damaged value must never start one. A file that cannot be read
// at all is not a damaged value: the shipped switch applies, so the machine stays protected.
bool readSafetyFlag(const QString& section, const QString& key);

} // namespace brightlock
