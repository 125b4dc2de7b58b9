// Simulated UPS state file; see sim_state.h.
#include "sim_state.h"

#include "ini_file.h"
#include "ini_text.h"
#include "library_paths.h"

#include <cstdlib>

namespace psu::sim {
namespace {

constexpr const char* kSection = "Sim";

long number(const std::string& text, const std::string& key, long fallback) {
    auto v = brightlock::ini::lookup(text, kSection, key);
    if (!v || v->empty())
        return fallback;
    char* end = nullptr;
    long n = std::strtol(v->c_str(), &end, 10);
    return (end && *end == '\0') ? n : fallback;
}

} // namespace

std::string stateFile() {
    if (const char* env = std::getenv("PSU_SIM_STATE"); env && *env)
        return env;
    return applicationDirectory() + "/upssim.state";
}

State load(const std::string& path) {
    State s;
    auto text = brightlock::ini::readFile(path);
    if (!text)
        return s;
    s.answering = number(*text, "Answering", 1) != 0;
    s.acPresent = number(*text, "AcPresent", 1) != 0;
    s.batteryLow = number(*text, "BatteryLow", 0) != 0;
    s.chargePercent = int(number(*text, "Charge", s.chargePercent));
    s.runtimeSeconds = number(*text, "Runtime", s.runtimeSeconds);
    s.loadPercent = int(number(*text, "Load", s.loadPercent));
    s.inputDeciVolts = int(number(*text, "InputDeciVolts", s.inputDeciVolts));
    s.switchOffCount = number(*text, "SwitchOffCount", 0);
    return s;
}

bool save(const std::string& path, const State& s) {
    return brightlock::ini::writeValues(path, kSection,
                                        {{"Answering", s.answering ? "1" : "0"},
                                         {"AcPresent", s.acPresent ? "1" : "0"},
                                         {"BatteryLow", s.batteryLow ? "1" : "0"},
                                         {"Charge", std::to_string(s.chargePercent)},
                                         {"Runtime", std::to_string(s.runtimeSeconds)},
                                         {"Load", std::to_string(s.loadPercent)},
                                         {"InputDeciVolts", std::to_string(s.inputDeciVolts)},
                                         {"SwitchOffCount", std::to_string(s.switchOffCount)}});
}

bool countSwitchOff(const std::string& path) {
    // Read and write are not one locked step, but only the monitor's thread counts.
    State s = load(path);
    return brightlock::ini::writeValue(path, kSection, "SwitchOffCount",
                                       std::to_string(s.switchOffCount + 1));
}

} // namespace psu::sim
