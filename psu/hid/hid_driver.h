// Driver "hid": a USB HID power device over hidraw (or replayed from a folder).
#pragma once

#include "driver.h"

namespace psu {

std::unique_ptr<Driver> makeHidDriver();

} // namespace psu
