// A parser of USB HID report descriptors: walks the item stream and yields every field of
// every Input, Output and Feature report with its usage, collection path, report ID, bit
// position and value range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace psu::hid {

enum class ReportType : uint8_t { Input, Output, Feature };

// A usage with its page: page << 16 | id.
using Usage = uint32_t;
constexpr Usage usage(uint16_t page, uint16_t id) {
    return Usage(page) << 16 | id;
}

struct Field {
    ReportType type = ReportType::Input;
    uint8_t reportId = 0;
    uint32_t bitOffset = 0; // counted after the report ID byte
    uint32_t bitSize = 0;
    Usage usage = 0;
    std::vector<Usage> path; // usages of the enclosing collections, outermost first
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    uint32_t unit = 0;
    int8_t unitExponent = 0;
    bool isSigned = false;   // a negative logical minimum
    bool isConstant = false; // marked Constant, yet it has a usage
    bool isArray = false;    // an array item: the value is a usage index, not a quantity
};

struct ReportDescriptor {
    std::vector<Field> fields;
    bool usesReportIds = false;
    // Usage of the first top-level application collection; 0 when there is none.
    Usage applicationUsage = 0;
    // Length in bits of every report, padding included, after the ID byte.
    std::map<std::pair<ReportType, uint8_t>, uint32_t> reportBits;

    // Length in bytes of a report, the ID byte included (the byte is 0 when the device
    // numbers no reports); 0 when the descriptor has no such report.
    size_t reportLength(ReportType type, uint8_t reportId) const;

    // The IDs of the reports of one type, in ascending order.
    std::vector<uint8_t> reportIds(ReportType type) const;
};

// Parses `size` bytes, in time and memory bounded by `size`. nullopt, with a reason in
// `error`, for a malformed descriptor (a truncated item, an unbalanced collection, a
// field beyond the largest report the kernel passes on, more usages or fields than a
// descriptor of its length can sensibly hold).
std::optional<ReportDescriptor> parseReportDescriptor(const uint8_t* data, size_t size,
                                                      std::string* error = nullptr);

// "Input", "Output" or "Feature".
const char* reportTypeName(ReportType type);

} // namespace psu::hid
