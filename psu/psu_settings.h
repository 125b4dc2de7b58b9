// Values of the library's own settings file, PSU.ini in the application directory
// (layout in psu/README.md). Read again at every use, like the monitor's settings.
#pragma once

#include <optional>
#include <string>

namespace psu {

// The value, or nullopt when the file, section or key is missing or the value empty.
std::optional<std::string> setting(const std::string& section, const std::string& key);

// A whole number clamped to [min, max]; `fallback` when missing or not a number.
long settingNumber(const std::string& section, const std::string& key, long fallback, long min, long max);

} // namespace psu
