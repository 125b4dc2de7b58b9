// Driver "sim": a simulated UPS whose state upssim sets.
#pragma once

#include "driver.h"

namespace psu {

std::unique_ptr<Driver> makeSimDriver();

} // namespace psu
