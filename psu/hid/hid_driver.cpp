// The hid driver: finds the UPS at every open and runs each call that may block (the
// search, Feature reads, the switch-off) on a deadline worker, so neither a stalled
// control transfer nor an unplug holds the monitor. A poll that needs no Feature report
// reads the queued Input reports on the calling thread: they never block, and the poll
// then costs no thread hand-off.
#include "hid_driver.h"

#include "deadline_worker.h"
#include "log.h"
#include "psu_settings.h"
#include "ups_finder.h"

namespace psu {
namespace {

constexpr std::chrono::milliseconds kDeadline{800};
constexpr std::chrono::milliseconds kScanDeadline{500};
constexpr std::chrono::milliseconds kSettleWait{100};

class HidDriver : public Driver {
public:
    // The search reads and parses the descriptor of every hidraw node (keyboards, mice,
    // any gadget), so it runs on the worker too, within its own deadline.
    bool open() override {
        close();
        // One late call at most: a device call or search that hangs holds the worker
        // (the kernel ends a stalled control transfer within seconds); until it ends
        // there is no UPS rather than one more thread per poll.
        if (!worker_.waitIdle(kSettleWait)) {
            debugLog("hid: a late device call still runs; not searching yet");
            return false;
        }
        struct Found {
            std::shared_ptr<hid::HidUps> ups;
            std::string why;
        };
        auto found = worker_.call(
            [] {
                Found f;
                f.ups = hid::findUps(&f.why);
                return f;
            },
            kScanDeadline);
        if (!found) {
            debugLog("hid: the search for a UPS did not finish in time");
            return false;
        }
        if (!found->ups) {
            debugLog("hid: no UPS: %s", found->why.c_str());
            return false;
        }
        debugLog("hid: using %s", found->ups->device().location().c_str());
        ups_ = std::move(found->ups);
        return true;
    }

    void close() override { ups_.reset(); }

    std::optional<Status> readStatus() override {
        if (!ups_)
            return std::nullopt;
        // A late call still owns the UPS; touch it only once that call has ended.
        if (worker_.busy()) {
            debugLog("hid: a late device call still runs");
            return std::nullopt;
        }
        std::optional<Status> status;
        if (ups_->needsFeatures()) {
            auto result = worker_.call([ups = ups_] { return ups->readStatus(); }, kDeadline);
            if (!result) {
                debugLog("hid: status query did not finish in time");
                return std::nullopt;
            }
            status = *result;
        } else {
            status = ups_->readInputStatus();
        }
        if (ups_->gone())
            close();
        return status;
    }

    bool switchOff() override {
        if (!ups_)
            return false;
        hid::SwitchOffDelays delays;
        delays.shutdownSeconds = int(settingNumber("hid", "ShutdownDelay", delays.shutdownSeconds, 1, 32767));
        delays.startupSeconds = int(settingNumber("hid", "StartupDelay", delays.startupSeconds, 1, 32767));
        if (delays.startupSeconds <= delays.shutdownSeconds)
            delays.startupSeconds = delays.shutdownSeconds + 60;
        auto result = worker_.call([ups = ups_, delays] { return ups->switchOff(delays); }, kDeadline);
        if (!result) {
            debugLog("hid: switch-off did not finish in time");
            return false;
        }
        if (ups_->gone())
            close();
        return *result;
    }

private:
    std::shared_ptr<hid::HidUps> ups_;
    DeadlineWorker worker_;
};

} // namespace

std::unique_ptr<Driver> makeHidDriver() {
    return std::make_unique<HidDriver>();
}

} // namespace psu
