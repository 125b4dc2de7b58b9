// The parts of upsprobe: what it prints about USB HID UPSes, recordings and NUT servers.
#pragma once

#include <string>

namespace upsprobe {

// Lists the hidraw UPSes, explains those it cannot use, and UPSes another program holds.
// Returns the number of usable UPSes.
int listHidUps(bool showFields);

// Shows what the hid driver makes of a recorded device.
int showReplay(const std::string& folder, bool showFields);

// Records a UPS (the first usable one, or `device`) into `folder` in the replay format.
int capture(const std::string& folder, const std::string& device);

// Asks a NUT server ("ups@host:port", empty: the configured or local one) for its UPS.
int probeNut(const std::string& address);

} // namespace upsprobe
