// The simulated UPS's state, kept in a small INI file shared by the sim driver (inside
// libPSU.so, in the monitor's process) and the upssim tool.
#pragma once

#include <string>

namespace psu::sim {

struct State {
    bool answering = true;
    bool acPresent = true;
    bool batteryLow = false;
    int chargePercent = 100;
    long runtimeSeconds = 1800;
    int loadPercent = -1;    // -1: not reported
    int inputDeciVolts = -1; // tenths of a volt; -1: not reported
    long switchOffCount = 0;
};

// PSU_SIM_STATE when set, else upssim.state in the application directory.
std::string stateFile();

// The state in the file; an on-line, answering UPS when the file is missing.
State load(const std::string& path);

// Stores every field of the state. False when the file could not be written.
bool save(const std::string& path, const State& state);

// Counts one more switch-off command in the file (locked, so no count is lost).
bool countSwitchOff(const std::string& path);

} // namespace psu::sim
