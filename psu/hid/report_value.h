// Reading and writing one field's value in a raw report (report ID byte first, bits
// counted little-endian after it, as HID lays them out).
#pragma once

#include "report_descriptor.h"

#include <cstdint>
#include <optional>

namespace psu::hid {

// The field's value, sign-extended when the field is signed; nullopt when the report
// is too short to hold it.
std::optional<int64_t> readField(const Field& field, const uint8_t* report, size_t length);

// Stores `value`, clamped to the field's logical range, leaving every other bit as it
// was. False when the report is too short.
bool writeField(const Field& field, int64_t value, uint8_t* report, size_t length);

} // namespace psu::hid
