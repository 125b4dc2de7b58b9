// Driver "auto", the default: a USB HID UPS on this machine when there is one, else the
// UPS of a Network UPS Tools server ([nut] Ups of PSU.ini or PSU_NUT_UPS, else this
// machine's own server), else no answer. It chooses again at every open, so a UPS
// plugged in later is found.
#pragma once

#include "driver.h"

namespace psu {

std::unique_ptr<Driver> makeAutoDriver();

} // namespace psu
