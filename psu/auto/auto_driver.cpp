// The auto driver; see auto_driver.h.
#include "auto_driver.h"

#include "hid/hid_driver.h"
#include "log.h"
#include "nut/nut_driver.h"

namespace psu {
namespace {

// A server on this machine answers at once or not at all; a configured one may be far.
constexpr int kLocalConnectTimeoutMs = 300;
constexpr int kRemoteConnectTimeoutMs = 700;

// Both drivers live as long as this one, so each keeps its single worker (and any call
// that is late on it) from one open to the next.
class AutoDriver : public Driver {
public:
    bool open() override {
        close();
        if (hid_->open()) {
            active_ = hid_.get();
            debugLog("auto: using the USB HID UPS");
            return true;
        }
        if (nut_->open()) {
            active_ = nut_.get();
            debugLog("auto: using the Network UPS Tools server");
            return true;
        }
        return false;
    }

    void close() override {
        if (active_)
            active_->close();
        active_ = nullptr;
    }

    std::optional<Status> readStatus() override { return active_ ? active_->readStatus() : std::nullopt; }

    bool switchOff() override { return active_ && active_->switchOff(); }

private:
    std::unique_ptr<Driver> hid_ = makeHidDriver();
    std::unique_ptr<Driver> nut_ = makeNutDriver(kRemoteConnectTimeoutMs, kLocalConnectTimeoutMs);
    Driver* active_ = nullptr;
};

} // namespace

std::unique_ptr<Driver> makeAutoDriver() {
    return std::make_unique<AutoDriver>();
}

} // namespace psu
