// The contract every UPS driver of libPSU.so keeps. A driver lives in a folder of its
// own under psu/ and is listed once in driver_registry.cpp.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace psu {

struct Status {
    bool acPresent = true;
    bool batteryLow = false;
    int chargePercent = -1;   // -1: not reported
    long runtimeSeconds = -1; // -1: not reported
    int loadPercent = -1;     // output load in percent of the rating; -1: not reported
    double inputVoltage = -1; // mains voltage at the input, in volts; negative: not reported
};

class Driver {
public:
    virtual ~Driver() = default;

    // Opens the connection to the UPS. A driver that finds no UPS returns false and
    // tries again at the next open.
    virtual bool open() = 0;

    // Closes the connection; harmless when nothing is open.
    virtual void close() = 0;

    // Reads the UPS status; nullopt when the UPS does not answer. Must return within
    // about a second whatever the device does.
    virtual std::optional<Status> readStatus() = 0;

    // Tells the UPS to switch its output off (and back on when the mains return, where
    // the UPS can). True only when the UPS accepted the command.
    virtual bool switchOff() = 0;

    // True for a simulated UPS, the only one a rehearsal still sends the switch-off to.
    virtual bool simulated() const { return false; }
};

struct DriverEntry {
    const char* name;
    const char* description;
    std::unique_ptr<Driver> (*make)();
};

// The drivers this library holds.
const DriverEntry* driverTable(int* count);

// The driver by name, or nullptr for an unknown or empty name.
std::unique_ptr<Driver> makeDriver(const std::string& name);

// The driver name chosen by PSU_DRIVER or the library's settings file; "auto" when
// neither names one.
std::string chosenDriverName();

// What is wrong with the chosen driver name, saying where it was set, e.g.
// "PSU.ini (/home/x/PSU.ini): unknown driver foo (known: auto, hid, nut, sim)"; empty when
// a driver has that name.
std::string chosenDriverProblem();

} // namespace psu
