// Driver "nut": a UPS shared by a Network UPS Tools server (upsd), on this machine or on
// another one (a NAS, a server).
#pragma once

#include "driver.h"
#include "nut_config.h"

namespace psu {

std::unique_ptr<Driver> makeNutDriver();

// The nut driver with a given configuration; the auto driver uses it to look for a
// server on this machine only, and briefly.
std::unique_ptr<Driver> makeNutDriver(nut::Config config, int connectTimeoutMs);

} // namespace psu
