// Driver "nut": a UPS shared by a Network UPS Tools server (upsd), on this machine or on
// another one (a NAS, a server).
#pragma once

#include "driver.h"

namespace psu {

std::unique_ptr<Driver> makeNutDriver();

// The nut driver with its own connect timeouts: `configuredMs` for a server named in
// PSU_NUT_UPS or PSU.ini, `localMs` for the default one on this machine. The auto
// driver looks for a local server only briefly.
std::unique_ptr<Driver> makeNutDriver(int configuredMs, int localMs);

} // namespace psu
