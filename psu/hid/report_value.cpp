// Field values in raw reports; see report_value.h.
#include "report_value.h"

#include <algorithm>

namespace psu::hid {
namespace {

bool fits(const Field& field, size_t length) {
    return field.bitSize > 0 && field.bitSize <= 32 &&
           1 + (field.bitOffset + field.bitSize + 7) / 8 <= length;
}

} // namespace

std::optional<int64_t> readField(const Field& field, const uint8_t* report, size_t length) {
    if (!report || !fits(field, length))
        return std::nullopt;
    const uint8_t* data = report + 1;
    uint64_t raw = 0;
    for (uint32_t i = 0; i < field.bitSize; ++i) {
        const uint32_t bit = field.bitOffset + i;
        if (data[bit / 8] & (1u << (bit % 8)))
            raw |= uint64_t(1) << i;
    }
    if (field.isSigned && field.bitSize < 64 && (raw & (uint64_t(1) << (field.bitSize - 1))))
        return int64_t(raw) - (int64_t(1) << field.bitSize);
    return int64_t(raw);
}

bool writeField(const Field& field, int64_t value, uint8_t* report, size_t length) {
    if (!report || !fits(field, length))
        return false;
    if (field.logicalMin <= field.logicalMax)
        value = std::clamp<int64_t>(value, field.logicalMin, field.logicalMax);
    const uint64_t raw = uint64_t(value);
    uint8_t* data = report + 1;
    for (uint32_t i = 0; i < field.bitSize; ++i) {
        const uint32_t bit = field.bitOffset + i;
        const uint8_t mask = uint8_t(1u << (bit % 8));
        if (raw & (uint64_t(1) << i))
            data[bit / 8] |= mask;
        else
            data[bit / 8] &= uint8_t(~mask);
    }
    return true;
}

} // namespace psu::hid
