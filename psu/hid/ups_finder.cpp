// The search for a UPS; see ups_finder.h.
#include "ups_finder.h"

#include "replay_device.h"
#include "ups_vendors.h"

#include <cstdlib>
#include <cstring>

namespace psu::hid {
namespace {

bool onPowerPages(Usage u) {
    return (u >> 16) == 0x84 || (u >> 16) == 0x85;
}

} // namespace

bool isUps(const HidrawNode& node, std::string* why) {
    auto say = [why](const std::string& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (node.descriptor.empty())
        return say("its report descriptor cannot be read");
    std::string error;
    auto descriptor = parseReportDescriptor(node.descriptor.data(), node.descriptor.size(), &error);
    if (!descriptor)
        return say("its report descriptor is malformed (" + error + ")");
    if (descriptor->applicationUsage == kUpsCollection)
        return true;
    if (!findUpsVendor(node.vendorId, node.productId))
        return say("it does not announce itself as a UPS (HID usage 0x84:0x04), and its maker is not a "
                   "known UPS maker");
    if (!findLayout(*descriptor).usable())
        return say("its maker makes UPSes, but it reports no mains status (ACPresent or Discharging)");
    return true;
}

bool mayBePowerDevice(const HidrawNode& node) {
    if (findUpsVendor(node.vendorId, node.productId))
        return true;
    auto descriptor = parseReportDescriptor(node.descriptor.data(), node.descriptor.size());
    if (!descriptor)
        return false;
    for (const Field& f : descriptor->fields) {
        if (onPowerPages(f.usage))
            return true;
        for (Usage u : f.path)
            if (onPowerPages(u))
                return true;
    }
    return onPowerPages(descriptor->applicationUsage);
}

std::string replayFolder() {
    const char* env = std::getenv("PSU_HID_REPLAY");
    return env && *env ? env : "";
}

std::vector<Candidate> probeHidraw(bool open) {
    std::vector<Candidate> result;
    for (HidrawNode& node : listHidrawNodes()) {
        Candidate c;
        c.node = std::move(node);
        c.isUps = isUps(c.node, &c.problem);
        if (c.isUps && open) {
            auto dev = HidrawDevice::open(c.node.devPath, &c.openError);
            if (!dev)
                c.problem = std::string("cannot open ") + c.node.devPath + ": " + std::strerror(c.openError);
            else
                c.ups = HidUps::create(std::move(dev), &c.problem);
        }
        result.push_back(std::move(c));
    }
    return result;
}

std::unique_ptr<HidUps> findUps(std::string* why) {
    if (const std::string folder = replayFolder(); !folder.empty())
        return HidUps::create(std::make_unique<ReplayDevice>(folder), why);
    std::string problems;
    for (Candidate& c : probeHidraw(true)) {
        if (c.ups)
            return std::move(c.ups);
        if (c.isUps)
            problems += (problems.empty() ? "" : "; ") + c.node.devPath + ": " + c.problem;
    }
    if (why)
        *why = problems.empty() ? "no UPS among the hidraw devices" : problems;
    return nullptr;
}

} // namespace psu::hid
