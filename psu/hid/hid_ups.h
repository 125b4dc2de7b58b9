// A UPS behind a HidDevice: the status from its Feature reports and the Input reports it
// sends when a value changes, and the switch-off through its delay fields. Runs on one
// thread at a time and never sleeps except between the two switch-off writes; the hid
// driver bounds it in time.
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

    // Reads the Feature reports that carry the status (one control transfer each, which
    // may block for seconds on a stalled device) over the Input reports sent since the
    // last query. nullopt when the device does not answer or has gone (see gone()).
    std::optional<Status> readStatus();

    // Whether the next query must read the Feature reports: while the status is unknown,
    // on battery or with the battery low, when the device sends no mains status in its
    // Input reports, and every kFeaturePolls-th query as a safety net and to refresh
    // charge, runtime, load and voltage.
    bool needsFeatures() const;
    // About 22 s at the monitor's 2.2 s poll: the longest a change the UPS failed to send
    // stays unseen on mains, while the Feature reads cost a tenth of what they did.
    static constexpr int kFeaturePolls = 10;

    // The status from the Input reports sent since the last query over the values read
    // before, without reading any Feature report: never blocks. nullopt as readStatus().
    std::optional<Status> readInputStatus();

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

    // A report as last received, numbered in the order reports came in.
    struct Received {
        std::vector<uint8_t> bytes;
        uint64_t order = 0;
    };

    bool drainInput(int firstWaitMs);
    bool readFeatures();
    std::optional<Status> status();
    // The need's value from the report that came in last among those holding it, and the
    // field it came from when `used` is given.
    std::optional<int64_t> value(Need need, const Field** used = nullptr) const;
    bool check(int result);
    bool writeDelay(const Field& field, int seconds, std::vector<uint8_t>& report);

    std::unique_ptr<HidDevice> device_;
    ReportDescriptor descriptor_;
    UpsLayout layout_;
    std::map<uint8_t, Received> features_; // the last good read of each
    std::map<uint8_t, Received> inputs_;   // the latest of each
    uint64_t received_ = 0;
    bool statusInInput_ = false; // the usage that decides the mains status is an Input item
    std::optional<Status> last_;
    int queriesSinceFeatures_ = 0;
    bool gone_ = false;
    Sleep sleep_;
};

} // namespace psu::hid
