// The HID report descriptor parser; see report_descriptor.h. Item codes and their meaning
// follow the HID class definition (section 6.2.2).
#include "report_descriptor.h"

#include <algorithm>

namespace psu::hid {
namespace {

// Bounds that keep a hostile or corrupt descriptor from costing unbounded time or memory:
// every loop below runs at most a fixed number of times per item, and the fields grow
// with the descriptor's size (a short descriptor cannot ask for thousands of them).
constexpr uint32_t kMaxReportBits = 8 * 4096; // hidraw reports are at most 4096 bytes
constexpr size_t kMaxDepth = 32;
constexpr size_t kMaxLocalUsages = 1024;
constexpr size_t kMaxFields = 65536;
constexpr size_t kFieldsAlways = 1024;
constexpr size_t kFieldsPerByte = 16;

struct Globals {
    uint16_t usagePage = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    uint32_t logicalMaxRaw = 0;
    size_t logicalMaxSize = 0;
    uint32_t unit = 0;
    int8_t unitExponent = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct Locals {
    std::vector<Usage> usages;
    std::optional<Usage> usageMin;

    void clear() {
        usages.clear();
        usageMin.reset();
    }
};

int32_t signExtend(uint32_t value, size_t size) {
    switch (size) {
    case 1:
        return int8_t(value);
    case 2:
        return int16_t(value);
    default:
        return int32_t(value);
    }
}

// A Usage item of four bytes carries its own page; a shorter one takes the current page.
Usage fullUsage(uint32_t value, size_t size, uint16_t page) {
    return size == 4 ? value : usage(page, uint16_t(value));
}

class Parser {
public:
    bool parse(const uint8_t* data, size_t size) {
        maxFields_ = std::min(kMaxFields, kFieldsAlways + kFieldsPerByte * std::min(size, kMaxFields));
        size_t pos = 0;
        while (pos < size) {
            const uint8_t prefix = data[pos];
            if (prefix == 0xFE) { // long item: skipped, none are defined
                if (pos + 3 > size)
                    return fail("truncated long item");
                pos += 3 + data[pos + 1];
                if (pos > size)
                    return fail("truncated long item");
                continue;
            }
            static const size_t kSizes[] = {0, 1, 2, 4};
            const size_t len = kSizes[prefix & 0x03];
            if (pos + 1 + len > size)
                return fail("truncated item at byte " + std::to_string(pos));
            uint32_t value = 0;
            for (size_t i = 0; i < len; ++i)
                value |= uint32_t(data[pos + 1 + i]) << (8 * i);
            if (!item(prefix & 0xFC, value, len))
                return false;
            pos += 1 + len;
        }
        if (!collections_.empty())
            return fail("collection not closed");
        return true;
    }

    ReportDescriptor result;
    std::string error;

private:
    bool fail(std::string why) {
        error = std::move(why);
        return false;
    }

    bool item(uint8_t tag, uint32_t value, size_t len) {
        switch (tag) {
        // Main items
        case 0x80:
            return mainField(ReportType::Input, value);
        case 0x90:
            return mainField(ReportType::Output, value);
        case 0xB0:
            return mainField(ReportType::Feature, value);
        case 0xA0:
            return beginCollection();
        case 0xC0:
            if (collections_.empty())
                return fail("End Collection without Collection");
            collections_.pop_back();
            locals_.clear();
            return true;
        // Global items
        case 0x04:
            g_.usagePage = uint16_t(value);
            return true;
        case 0x14:
            g_.logicalMin = signExtend(value, len);
            return true;
        case 0x24:
            g_.logicalMax = signExtend(value, len);
            g_.logicalMaxRaw = value;
            g_.logicalMaxSize = len;
            return true;
        case 0x54:
            g_.unitExponent = int8_t((value & 0x08) ? int(value & 0x0F) - 16 : int(value & 0x0F));
            return true;
        case 0x64:
            g_.unit = value;
            return true;
        case 0x74:
            if (value > 32)
                return fail("report size " + std::to_string(value) + " bits is not supported");
            g_.reportSize = value;
            return true;
        case 0x84:
            if (value == 0 || value > 255)
                return fail("invalid report ID");
            g_.reportId = uint8_t(value);
            result.usesReportIds = true;
            return true;
        case 0x94:
            if (value > kMaxReportBits)
                return fail("report count too large");
            g_.reportCount = value;
            return true;
        case 0xA4:
            if (stack_.size() >= kMaxDepth)
                return fail("Push nested too deep");
            stack_.push_back(g_);
            return true;
        case 0xB4:
            if (stack_.empty())
                return fail("Pop without Push");
            g_ = stack_.back();
            stack_.pop_back();
            return true;
        // Local items
        case 0x08:
            if (locals_.usages.size() >= kMaxLocalUsages)
                return fail("too many usages");
            locals_.usages.push_back(fullUsage(value, len, g_.usagePage));
            return true;
        case 0x18:
            locals_.usageMin = fullUsage(value, len, g_.usagePage);
            return true;
        case 0x28:
            return usageRange(fullUsage(value, len, g_.usagePage));
        default: // physical range, designators, strings, delimiters: not needed here
            return true;
        }
    }

    bool usageRange(Usage max) {
        if (!locals_.usageMin)
            return true;
        const Usage min = *locals_.usageMin;
        if ((min >> 16) != (max >> 16) || max < min)
            return fail("invalid usage range");
        // Counted in 64 bits: a range ending at 0xFFFFFFFF must not wrap around.
        const uint64_t count = uint64_t(max) - min + 1;
        if (locals_.usages.size() + count > kMaxLocalUsages)
            return fail("too many usages");
        for (uint64_t i = 0; i < count; ++i)
            locals_.usages.push_back(Usage(min + i));
        locals_.usageMin.reset();
        return true;
    }

    bool beginCollection() {
        if (collections_.size() >= kMaxDepth)
            return fail("collections nested too deep");
        const Usage u = locals_.usages.empty() ? 0 : locals_.usages.front();
        if (collections_.empty() && result.applicationUsage == 0)
            result.applicationUsage = u;
        collections_.push_back(u);
        locals_.clear();
        return true;
    }

    int32_t logicalMax() const {
        // Many devices write an unsigned maximum in a short item (0xFF for 255); read it
        // unsigned unless the minimum says the field is signed.
        if (g_.logicalMin >= 0 && g_.logicalMax < g_.logicalMin && g_.logicalMaxSize < 4)
            return int32_t(g_.logicalMaxRaw);
        return g_.logicalMax;
    }

    bool mainField(ReportType type, uint32_t flags) {
        const bool constant = flags & 0x01;
        const bool variable = flags & 0x02;
        const uint32_t bits = g_.reportSize * g_.reportCount;
        uint32_t& offset = result.reportBits[{type, g_.reportId}];
        if (offset + bits > kMaxReportBits)
            return fail("report longer than 4096 bytes");
        if (constant && locals_.usages.empty()) { // padding
            offset += bits;
            locals_.clear();
            return true;
        }
        if (result.fields.size() + g_.reportCount > maxFields_)
            return fail("too many fields");
        for (uint32_t i = 0; i < g_.reportCount; ++i) {
            Field f;
            f.type = type;
            f.reportId = g_.reportId;
            f.bitOffset = offset + i * g_.reportSize;
            f.bitSize = g_.reportSize;
            if (!locals_.usages.empty())
                f.usage = locals_.usages[std::min<size_t>(i, locals_.usages.size() - 1)];
            f.path = collections_;
            f.logicalMin = g_.logicalMin;
            f.logicalMax = logicalMax();
            f.unit = g_.unit;
            f.unitExponent = g_.unitExponent;
            f.isSigned = g_.logicalMin < 0;
            f.isConstant = constant;
            f.isArray = !variable;
            result.fields.push_back(std::move(f));
        }
        offset += bits;
        locals_.clear();
        return true;
    }

    size_t maxFields_ = kMaxFields;
    Globals g_;
    Locals locals_;
    std::vector<Globals> stack_;
    std::vector<Usage> collections_;
};

} // namespace

size_t ReportDescriptor::reportLength(ReportType type, uint8_t reportId) const {
    auto it = reportBits.find({type, reportId});
    return it == reportBits.end() ? 0 : 1 + (it->second + 7) / 8;
}

std::vector<uint8_t> ReportDescriptor::reportIds(ReportType type) const {
    std::vector<uint8_t> ids;
    for (const auto& [key, bits] : reportBits)
        if (key.first == type)
            ids.push_back(key.second);
    return ids;
}

std::optional<ReportDescriptor> parseReportDescriptor(const uint8_t* data, size_t size, std::string* error) {
    Parser p;
    if (!p.parse(data, size)) {
        if (error)
            *error = p.error;
        return std::nullopt;
    }
    return std::move(p.result);
}

const char* reportTypeName(ReportType type) {
    switch (type) {
    case ReportType::Input:
        return "Input";
    case ReportType::Output:
        return "Output";
    case ReportType::Feature:
        return "Feature";
    }
    return "?";
}

} // namespace psu::hid
