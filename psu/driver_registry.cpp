// The drivers of libPSU.so and how one is chosen.
#include "driver.h"

#include "ini_file.h"
#include "library_paths.h"
#include "sim/sim_driver.h"

#include <cstdlib>

namespace psu {
namespace {

const DriverEntry kDrivers[] = {
    {"sim", "simulated UPS driven by upssim", &makeSimDriver},
};

} // namespace

const DriverEntry* driverTable(int* count) {
    *count = int(sizeof kDrivers / sizeof kDrivers[0]);
    return kDrivers;
}

std::unique_ptr<Driver> makeDriver(const std::string& name) {
    for (const DriverEntry& d : kDrivers)
        if (name == d.name)
            return d.make();
    return nullptr;
}

std::string chosenDriverName() {
    if (const char* env = std::getenv("PSU_DRIVER"); env && *env)
        return env;
    return brightlock::ini::readValue(settingsFile(), "PSU", "Driver").value_or(std::string());
}

} // namespace psu
