// What libPSU.so needs from a USB HID power device, and where in a parsed report
// descriptor each need is found. The usages and the preference among the collection
// paths a usage appears under live in one table (ups_usages.cpp).
#pragma once

#include "report_descriptor.h"

#include <array>
#include <optional>

namespace psu::hid {

enum class Need {
    AcPresent,
    Charging,
    Discharging,
    BelowRemainingCapacityLimit,
    ShutdownImminent,
    RemainingTimeLimitExpired,
    RemainingCapacity,
    RunTimeToEmpty,
    PercentLoad,
    InputVoltage,
    DelayBeforeShutdown,
    DelayBeforeStartup,
};
constexpr size_t kNeedCount = size_t(Need::DelayBeforeStartup) + 1;

struct NeedInfo {
    Need need;
    Usage usage;
    const char* name;
    // When not 0, only a field whose own collection is this one serves the need (Voltage
    // means the mains only inside UPS.Input; elsewhere it is the output's or the battery's).
    Usage within = 0;
};

// The table, one row per need, in the order of Need.
const std::array<NeedInfo, kNeedCount>& needTable();

constexpr Usage kUpsCollection = usage(0x84, 0x04);
constexpr Usage kPowerSummary = usage(0x84, 0x24);
constexpr Usage kPresentStatus = usage(0x84, 0x02);
constexpr Usage kOutput = usage(0x84, 0x1C);
constexpr Usage kInput = usage(0x84, 0x1A);

// For each need, the best field among the Feature reports and among the Input reports.
struct UpsLayout {
    std::array<std::optional<Field>, kNeedCount> feature;
    std::array<std::optional<Field>, kNeedCount> input;

    const std::optional<Field>& featureField(Need n) const { return feature[size_t(n)]; }
    const std::optional<Field>& inputField(Need n) const { return input[size_t(n)]; }
    bool has(Need n) const { return featureField(n) || inputField(n); }

    // A device the driver can use: it tells whether the mains are present.
    bool usable() const { return has(Need::AcPresent) || has(Need::Discharging); }
    // A device the driver can switch off.
    bool canSwitchOff() const { return featureField(Need::DelayBeforeShutdown).has_value(); }
};

UpsLayout findLayout(const ReportDescriptor& descriptor);

// The input voltage in volts from a raw Voltage value: the unit exponent scales it (7 is
// whole volts in the HID unit system; a field without a unit is taken as volts).
double volts(const Field& field, int64_t raw);

// A readable path such as "UPS.PowerSummary.PresentStatus.ACPresent".
std::string fieldPath(const Field& field);

} // namespace psu::hid
