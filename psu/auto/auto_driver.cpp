// The auto driver; see auto_driver.h.
#include "auto_driver.h"

#include "hid/hid_driver.h"
#include "log.h"
#include "nut/nut_config.h"
#include "nut/nut_driver.h"

namespace psu {
namespace {

// A server on this machine answers at once or not at all; a configured one may be far.
constexpr int kLocalConnectTimeoutMs = 300;
constexpr int kRemoteConnectTimeoutMs = 700;

class AutoDriver : public Driver {
public:
    bool open() override {
        close();
        auto hid = makeHidDriver();
        if (hid->open()) {
            active_ = std::move(hid);
            debugLog("auto: using the USB HID UPS");
            return true;
        }
        nut::Config config = nut::loadConfig();
        auto nut =
            makeNutDriver(config, config.configured ? kRemoteConnectTimeoutMs : kLocalConnectTimeoutMs);
        if (nut->open()) {
            active_ = std::move(nut);
            debugLog("auto: using the Network UPS Tools server at %s", config.address.host.c_str());
            return true;
        }
        return false;
    }

    void close() override {
        if (active_)
            active_->close();
        active_.reset();
    }

    std::optional<Status> readStatus() override { return active_ ? active_->readStatus() : std::nullopt; }

    bool switchOff() override { return active_ && active_->switchOff(); }

private:
    std::unique_ptr<Driver> active_;
};

} // namespace

std::unique_ptr<Driver> makeAutoDriver() {
    return std::make_unique<AutoDriver>();
}

} // namespace psu
