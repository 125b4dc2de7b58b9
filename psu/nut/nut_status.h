// How the variables of a Network UPS Tools server map to the driver's Status.
#pragma once

#include "driver.h"

#include <optional>
#include <string>

namespace psu::nut {

// From ups.status (for example "OL CHRG", "OB LB", "FSD OB LB"): on battery with OB or
// FSD, battery low with LB or FSD. nullopt when the status names neither OL nor OB nor
// FSD (empty, WAIT while the server's driver has no data yet, OFF alone, or garbage).
std::optional<Status> statusFromUpsStatus(const std::string& upsStatus);

// battery.charge ("87" or "87.5") as whole percent; -1 when absent or out of range.
int chargeFromText(const std::optional<std::string>& text);

// battery.runtime in seconds; -1 when absent or not a number.
long runtimeFromText(const std::optional<std::string>& text);

// ups.load as whole percent (above 100 when overloaded, at most 254); -1 when absent or
// not a number.
int loadFromText(const std::optional<std::string>& text);

// input.voltage in volts; -1 when absent, negative or not a number.
double voltageFromText(const std::optional<std::string>& text);

} // namespace psu::nut
