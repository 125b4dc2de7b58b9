// The search for a UPS; see ups_finder.h.
#include "ups_finder.h"

#include "replay_device.h"
#include "ups_vendors.h"

#include <cstdlib>
#include <cstring>

namespace psu::hid {
namespace {

bool looksLikeUps(const HidrawNode& node) {
    auto descriptor = parseReportDescriptor(node.descriptor.data(), node.descriptor.size());
    if (!descriptor)
        return false;
    if (descriptor->applicationUsage == kUpsCollection)
        return true;
    return findUpsVendor(node.vendorId, node.productId) && findLayout(*descriptor).usable();
}

} // namespace

std::string replayFolder() {
    const char* env = std::getenv("PSU_HID_REPLAY");
    return env && *env ? env : "";
}

std::vector<Candidate> probeHidraw(bool open) {
    std::vector<Candidate> result;
    for (HidrawNode& node : listHidrawNodes()) {
        Candidate c;
        c.node = std::move(node);
        c.isUps = looksLikeUps(c.node);
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
