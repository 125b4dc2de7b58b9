// The simulated UPS: reads its state file at every query, so upssim takes effect at the
// monitor's next poll, and counts the switch-off commands it receives.
#include "sim_driver.h"

#include "sim_state.h"

namespace psu {
namespace {

class SimDriver : public Driver {
public:
    bool open() override { return sim::load(sim::stateFile()).answering; }
    void close() override {}

    std::optional<Status> readStatus() override {
        sim::State s = sim::load(sim::stateFile());
        if (!s.answering)
            return std::nullopt;
        Status st;
        st.acPresent = s.acPresent;
        st.batteryLow = s.batteryLow;
        st.chargePercent = s.chargePercent;
        st.runtimeSeconds = s.runtimeSeconds;
        st.loadPercent = s.loadPercent;
        st.inputVoltage = s.inputDeciVolts >= 0 ? s.inputDeciVolts / 10.0 : -1;
        return st;
    }

    bool switchOff() override {
        const std::string path = sim::stateFile();
        if (!sim::load(path).answering)
            return false;
        return sim::countSwitchOff(path);
    }

    bool simulated() const override { return true; }
};

} // namespace

std::unique_ptr<Driver> makeSimDriver() {
    return std::make_unique<SimDriver>();
}

} // namespace psu
