// The usage table of the hid driver and the choice among fields; see ups_usages.h.
#include "ups_usages.h"

#include <cmath>
#include <cstdio>

namespace psu::hid {
namespace {

const std::array<NeedInfo, kNeedCount> kNeeds = {{
    {Need::AcPresent, usage(0x85, 0xD0), "ACPresent"},
    {Need::Charging, usage(0x85, 0x44), "Charging"},
    {Need::Discharging, usage(0x85, 0x45), "Discharging"},
    {Need::BelowRemainingCapacityLimit, usage(0x85, 0x42), "BelowRemainingCapacityLimit"},
    {Need::ShutdownImminent, usage(0x84, 0x69), "ShutdownImminent"},
    {Need::RemainingTimeLimitExpired, usage(0x85, 0x43), "RemainingTimeLimitExpired"},
    {Need::RemainingCapacity, usage(0x85, 0x66), "RemainingCapacity"},
    {Need::RunTimeToEmpty, usage(0x85, 0x68), "RunTimeToEmpty"},
    {Need::PercentLoad, usage(0x84, 0x35), "PercentLoad"},
    {Need::InputVoltage, usage(0x84, 0x30), "Voltage", kInput},
    {Need::DelayBeforeShutdown, usage(0x84, 0x57), "DelayBeforeShutdown"},
    {Need::DelayBeforeStartup, usage(0x84, 0x56), "DelayBeforeStartup"},
}};

// Names for the collections and usages a user sees in paths.
struct Name {
    Usage usage;
    const char* name;
};
const Name kCollectionNames[] = {
    {kUpsCollection, "UPS"},
    {kPowerSummary, "PowerSummary"},
    {kPresentStatus, "PresentStatus"},
    {kOutput, "Output"},
    {usage(0x84, 0x10), "BatterySystem"},
    {usage(0x84, 0x12), "Battery"},
    {kInput, "Input"},
    {usage(0x84, 0x16), "PowerConverter"},
    {usage(0x84, 0x1E), "Flow"},
    {usage(0x84, 0x03), "ChangedStatus"},
};

// The same usage appears under several collections, with different meanings on some
// models; lower is preferred: UPS.PowerSummary.*, UPS.PowerSummary.PresentStatus.*,
// UPS.Output.*, anything else.
int pathRank(const std::vector<Usage>& path) {
    size_t start = 0;
    while (start < path.size() && path[start] != kUpsCollection)
        ++start;
    start = start < path.size() ? start + 1 : 0;
    const std::vector<Usage> rest(path.begin() + long(start), path.end());
    if (rest == std::vector<Usage>{kPowerSummary})
        return 0;
    if (rest == std::vector<Usage>{kPowerSummary, kPresentStatus})
        return 1;
    if (rest == std::vector<Usage>{kOutput})
        return 2;
    return 3;
}

void consider(std::optional<Field>& best, const Field& candidate) {
    if (!best || pathRank(candidate.path) < pathRank(best->path))
        best = candidate;
}

std::string usageName(Usage u) {
    for (const Name& n : kCollectionNames)
        if (n.usage == u)
            return n.name;
    for (const NeedInfo& n : kNeeds)
        if (n.usage == u)
            return n.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04x:%04x", unsigned(u >> 16), unsigned(u & 0xFFFF));
    return buf;
}

} // namespace

const std::array<NeedInfo, kNeedCount>& needTable() {
    return kNeeds;
}

UpsLayout findLayout(const ReportDescriptor& descriptor) {
    UpsLayout layout;
    for (const Field& f : descriptor.fields) {
        if (f.isArray || f.usage == 0)
            continue;
        for (const NeedInfo& n : kNeeds) {
            if (f.usage != n.usage || (n.within && (f.path.empty() || f.path.back() != n.within)))
                continue;
            if (f.type == ReportType::Feature)
                consider(layout.feature[size_t(n.need)], f);
            else if (f.type == ReportType::Input)
                consider(layout.input[size_t(n.need)], f);
        }
    }
    return layout;
}

double volts(const Field& field, int64_t raw) {
    constexpr uint32_t kVolt = 0x00F0D121; // SI linear: kg m^2 s^-3 A^-1, in 10^7 steps
    if (field.unit != kVolt)
        return double(raw);
    return double(raw) * std::pow(10.0, field.unitExponent - 7);
}

std::string fieldPath(const Field& field) {
    std::string text;
    for (Usage u : field.path) {
        if (u == 0)
            continue;
        text += usageName(u);
        text += '.';
    }
    return text + usageName(field.usage);
}

} // namespace psu::hid
