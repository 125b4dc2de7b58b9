// Status and switch-off of a HID UPS; see hid_ups.h.
#include "hid_ups.h"

#include "log.h"
#include "report_value.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <thread>

namespace psu::hid {
namespace {

constexpr int kMaxInputReportsPerQuery = 64;
constexpr int kInputWaitMs = 300;
constexpr std::chrono::milliseconds kBetweenDelayWrites{125};

} // namespace

std::unique_ptr<HidUps> HidUps::create(std::unique_ptr<HidDevice> device, std::string* why) {
    std::vector<uint8_t> bytes;
    int r = device->reportDescriptor(bytes);
    if (r < 0) {
        if (why)
            *why = std::string("cannot read the report descriptor: ") + std::strerror(-r);
        return nullptr;
    }
    std::string error;
    auto descriptor = parseReportDescriptor(bytes.data(), bytes.size(), &error);
    if (!descriptor) {
        if (why)
            *why = "unreadable report descriptor: " + error;
        return nullptr;
    }
    std::unique_ptr<HidUps> ups(new HidUps(std::move(device), std::move(*descriptor)));
    if (!ups->layout_.usable()) {
        if (why)
            *why = "the device reports neither ACPresent nor Discharging";
        return nullptr;
    }
    return ups;
}

HidUps::HidUps(std::unique_ptr<HidDevice> device, ReportDescriptor descriptor)
    : device_(std::move(device)), descriptor_(std::move(descriptor)), layout_(findLayout(descriptor_)),
      sleep_([](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }) {
    // ACPresent decides the mains status; only a device without it is read by Discharging.
    statusInInput_ =
        layout_.inputField(layout_.has(Need::AcPresent) ? Need::AcPresent : Need::Discharging).has_value();
}

bool HidUps::check(int result) {
    if (deviceGone(result)) {
        if (!gone_)
            debugLog("hid: %s has gone (%s)", device_->location().c_str(), std::strerror(-result));
        gone_ = true;
    }
    return result > 0;
}

// Keeps the latest Input report of each ID. False when the device has gone.
bool HidUps::drainInput(int firstWaitMs) {
    std::vector<uint8_t> buf(4097);
    for (int i = 0; i < kMaxInputReportsPerQuery; ++i) {
        const int n = device_->readInput(buf.data(), buf.size(), i == 0 ? firstWaitMs : 0);
        if (n == 0)
            return true;
        if (!check(n))
            return false;
        const uint8_t id = descriptor_.usesReportIds ? buf[0] : 0;
        Received& r = inputs_[id];
        r.order = ++received_;
        if (descriptor_.usesReportIds)
            r.bytes.assign(buf.begin(), buf.begin() + n);
        else { // reports without IDs arrive without the byte; store them as if they had one
            r.bytes.assign(1, 0);
            r.bytes.insert(r.bytes.end(), buf.begin(), buf.begin() + n);
        }
    }
    return true;
}

// Reads each Feature report that carries the status once; one that fails is forgotten, so
// that an older read never stands in for it. False when the device has gone.
bool HidUps::readFeatures() {
    // The delay fields are read only to write them.
    std::set<uint8_t> ids;
    for (const NeedInfo& n : needTable())
        if (const auto& f = layout_.featureField(n.need);
            f && n.need != Need::DelayBeforeShutdown && n.need != Need::DelayBeforeStartup)
            ids.insert(f->reportId);
    for (uint8_t id : ids) {
        std::vector<uint8_t> buf(descriptor_.reportLength(ReportType::Feature, id));
        const int n = device_->getFeature(id, buf.data(), buf.size());
        if (deviceGone(n)) {
            check(n);
            return false;
        }
        if (n > 0 && (!descriptor_.usesReportIds || buf[0] == id)) {
            buf.resize(size_t(n));
            features_[id] = Received{std::move(buf), ++received_};
        } else {
            features_.erase(id);
            debugLog("hid: Feature report 0x%02x not read (%s)", id, n < 0 ? std::strerror(-n) : "short");
        }
    }
    return true;
}

std::optional<int64_t> HidUps::value(Need need, const Field** used) const {
    const Field* field = nullptr;
    const Received* from = nullptr;
    std::optional<int64_t> result;
    auto consider = [&](const std::optional<Field>& f, const std::map<uint8_t, Received>& reports) {
        if (!f)
            return;
        auto it = reports.find(f->reportId);
        if (it == reports.end() || (from && from->order > it->second.order))
            return;
        if (auto v = readField(*f, it->second.bytes.data(), it->second.bytes.size())) {
            field = &*f;
            from = &it->second;
            result = v;
        }
    };
    consider(layout_.featureField(need), features_);
    consider(layout_.inputField(need), inputs_);
    if (used && field)
        *used = field;
    return result;
}

bool HidUps::needsFeatures() const {
    return !statusInInput_ || !last_ || !last_->acPresent || last_->batteryLow ||
           queriesSinceFeatures_ + 1 >= kFeaturePolls;
}

std::optional<Status> HidUps::readInputStatus() {
    if (gone_ || !drainInput(0))
        return last_ = std::nullopt;
    ++queriesSinceFeatures_;
    return status();
}

std::optional<Status> HidUps::readStatus() {
    queriesSinceFeatures_ = 0;
    if (gone_ || !drainInput(0) || !readFeatures())
        return last_ = std::nullopt;
    if (!value(Need::AcPresent) && !value(Need::Discharging)) {
        // No Feature answer: wait briefly for the device's next Input reports.
        if (!drainInput(kInputWaitMs))
            return last_ = std::nullopt;
    }
    return status();
}

// The status from the reports received so far; remembered for needsFeatures().
std::optional<Status> HidUps::status() {
    last_.reset();
    auto ac = value(Need::AcPresent);
    auto discharging = value(Need::Discharging);
    if (!ac && !discharging)
        return std::nullopt;

    Status st;
    st.acPresent = ac ? *ac != 0 : *discharging == 0;
    st.batteryLow = false;
    for (Need n :
         {Need::BelowRemainingCapacityLimit, Need::ShutdownImminent, Need::RemainingTimeLimitExpired})
        if (auto v = value(n); v && *v != 0)
            st.batteryLow = true;
    if (auto v = value(Need::RemainingCapacity); v && *v >= 0 && *v <= 100)
        st.chargePercent = int(*v);
    if (auto v = value(Need::RunTimeToEmpty); v && *v >= 0)
        st.runtimeSeconds = long(*v);
    if (auto v = value(Need::PercentLoad); v && *v >= 0)
        st.loadPercent = int(std::min<int64_t>(*v, 254));
    const Field* voltage = nullptr;
    if (auto v = value(Need::InputVoltage, &voltage); v && *v >= 0)
        st.inputVoltage = volts(*voltage, *v);
    last_ = st;
    return st;
}

bool HidUps::writeDelay(const Field& field, int seconds, std::vector<uint8_t>& report) {
    if (report.empty() || report[0] != field.reportId) {
        report.assign(descriptor_.reportLength(ReportType::Feature, field.reportId), 0);
        const int n = device_->getFeature(field.reportId, report.data(), report.size());
        if (!check(n) || report[0] != field.reportId) {
            debugLog("hid: cannot read Feature report 0x%02x before writing it", field.reportId);
            report.clear();
            return false;
        }
    }
    if (!writeField(field, seconds, report.data(), report.size()))
        return false;
    const int n = device_->setFeature(report.data(), report.size());
    if (!check(n)) {
        debugLog("hid: writing Feature report 0x%02x failed (%s)", field.reportId,
                 n < 0 ? std::strerror(-n) : "nothing written");
        return false;
    }
    return true;
}

bool HidUps::switchOff(const SwitchOffDelays& delays) {
    if (gone_ || !layout_.canSwitchOff())
        return false;
    std::vector<uint8_t> report;
    if (const auto& startup = layout_.featureField(Need::DelayBeforeStartup)) {
        // Without the startup delay the UPS would still switch off, only not come back
        // by itself; switching off matters more, so go on.
        if (!writeDelay(*startup, delays.startupSeconds, report) && gone_)
            return false;
        sleep_(kBetweenDelayWrites);
    }
    return writeDelay(*layout_.featureField(Need::DelayBeforeShutdown), delays.shutdownSeconds, report);
}

} // namespace psu::hid
