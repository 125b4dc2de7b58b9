// The drivers of libPSU.so and how one is chosen.
#include "driver.h"

#include "auto/auto_driver.h"
#include "hid/hid_driver.h"
#include "ini_file.h"
#include "library_paths.h"
#include "nut/nut_driver.h"
#include "psu_settings.h"
#include "sim/sim_driver.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace psu {
namespace {

const DriverEntry kDrivers[] = {
    {"sim", "simulated UPS driven by upssim", &makeSimDriver},
    {"hid", "USB HID power device (hidraw)", &makeHidDriver},
    {"nut", "UPS shared by a Network UPS Tools server", &makeNutDriver},
    {"auto", "a USB HID UPS if present, else a Network UPS Tools server", &makeAutoDriver},
};

constexpr const char* kDefaultDriver = "auto";

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

std::string chosenDriverProblem() {
    const std::string name = chosenDriverName();
    if (makeDriver(name))
        return {};
    std::vector<std::string> known;
    for (const DriverEntry& d : kDrivers)
        known.emplace_back(d.name);
    std::sort(known.begin(), known.end());
    std::string list;
    for (const std::string& k : known)
        list += (list.empty() ? "" : ", ") + k;
    const char* env = std::getenv("PSU_DRIVER");
    const std::string where = env && *env ? std::string("PSU_DRIVER") : "PSU.ini (" + settingsFile() + ")";
    return where + ": unknown driver " + name + " (known: " + list + ")";
}

std::string chosenDriverName() {
    if (const char* env = std::getenv("PSU_DRIVER"); env && *env)
        return env;
    return setting("PSU", "Driver").value_or(kDefaultDriver);
}

} // namespace psu
