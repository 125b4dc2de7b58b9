// A UPS behind a HidDevice: the status from its Feature reports (or its latest Input
// reports), and the switch-off through its delay fields. Runs on one thread at a time and
// never sleeps except between the two switch-off writes; the hid driver bounds it in time.
#pragma once

#include "driver.h"
#include "hid_device.h"
#include "report_descriptor.h"
#include "ups_usages.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>

namespace psu::hid {

struct SwitchOffDelays {
    int shutdownSeconds = 60; // also whole minutes, which some firmware counts only
    int startupSeconds = 120; // must exceed the shutdown delay, or the UPS may stay off
};

class HidUps {
public:
    using Sleep = std::function<void(std::chrono::milliseconds)>;

    // Reads and parses the device's descriptor; nullptr with the reason in `why` when it
    // cannot be read or the device reports nothing about the mains.
    static std::unique_ptr<HidUps> create(std::unique_ptr<HidDevice> device, std::string* why);

    // nullopt when the device does not answer or has gone (see gone()).
    std::optional<Status> readStatus();

    // Writes DelayBeforeStartup (when the device has it), waits, writes
    // DelayBeforeShutdown. True only when the device took the writes.
    bool switchOff(const SwitchOffDelays& delays);

    bool gone() const { return gone_; }
    const ReportDescriptor& descriptor() const { return descriptor_; }
    const UpsLayout& layout() const { return layout_; }
    HidDevice& device() { return *device_; }

    void setSleep(Sleep sleep) { sleep_ = std::move(sleep); }

private:
    HidUps(std::unique_ptr<HidDevice> device, ReportDescriptor descriptor);

    bool drainInput(int firstWaitMs);
    // The need's value, and the field it came from when `used` is given.
    std::optional<int64_t> value(Need need, const Field** used = nullptr) const;
    bool check(int result);
    bool writeDelay(const Field& field, int seconds, std::vector<uint8_t>& report);

    std::unique_ptr<HidDevice> device_;
    ReportDescriptor descriptor_;
    UpsLayout layout_;
    std::map<uint8_t, std::vector<uint8_t>> features_; // read in this query
    std::map<uint8_t, std::vector<uint8_t>> inputs_;   // latest of each
    bool gone_ = false;
    Sleep sleep_;
};

} // namespace psu::hid
