// USB vendors whose HID devices are UPSes. Used to recognise a UPS whose descriptor does
// not announce itself as one, and to explain a UPS that another program holds. The udev
// rule in psu/udev/ grants access to the same list (a test keeps the two in step).
#pragma once

#include <cstdint>
#include <vector>

namespace psu::hid {

struct UpsVendor {
    uint16_t vendorId;
    uint16_t productId; // 0: every product of the vendor
    const char* maker;  // empty when not known
};

const std::vector<UpsVendor>& upsVendors();

// The row matching the device, or nullptr.
const UpsVendor* findUpsVendor(uint16_t vendorId, uint16_t productId);

} // namespace psu::hid
