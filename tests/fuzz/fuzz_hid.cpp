// The HID report descriptor parser, the layout search and the field reader, and a UPS
// over a fake device that answers from the input. Input: the descriptor (two length
// bytes first), then the bytes the device's reports are cut from.
// Properties: every field lies inside its report; reading a status and switching off
// never touch memory outside the reports.
#include "fuzz_input.h"
#include "hid/hid_ups.h"
#include "hid/report_value.h"

#include <algorithm>
#include <cstring>
#include <map>

using namespace psu::hid;

namespace {

class FakeDevice : public HidDevice {
public:
    FakeDevice(std::string_view descriptor, std::string_view pool) : descriptor_(descriptor), pool_(pool) {}

    int reportDescriptor(std::vector<uint8_t>& out) override {
        out.assign(descriptor_.begin(), descriptor_.end());
        return int(out.size());
    }
    int getFeature(uint8_t id, uint8_t* buf, size_t length) override {
        if (length == 0)
            return -EINVAL;
        const size_t n = fill(buf, length);
        if (n == 0)
            return -EPIPE;
        buf[0] = uint8_t(next() & 1 ? id : buf[0]); // now and then a report with another ID
        return int(n);
    }
    int setFeature(const uint8_t*, size_t length) override { return next() % 5 == 0 ? -EIO : int(length); }
    int readInput(uint8_t* buf, size_t length, int) override {
        return next() % 3 == 0 ? 0 : int(fill(buf, length));
    }
    uint16_t vendorId() const override { return 0x0764; }
    uint16_t productId() const override { return 0x0501; }
    std::string location() const override { return "fuzz"; }

private:
    uint8_t next() { return pool_.empty() ? 0 : uint8_t(pool_[pos_++ % pool_.size()]); }
    size_t fill(uint8_t* buf, size_t length) {
        const size_t n = std::min<size_t>(length, next());
        for (size_t i = 0; i < n; ++i)
            buf[i] = next();
        return n;
    }

    std::string descriptor_;
    std::string pool_;
    size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const std::string_view descriptor = in.longPiece();
    const std::string_view pool = in.rest();

    // A descriptor is parsed once: by the UPS when it takes it, else here.
    auto ups = HidUps::create(std::make_unique<FakeDevice>(descriptor, pool), nullptr);
    std::optional<ReportDescriptor> parsed;
    if (!ups)
        parsed =
            parseReportDescriptor(reinterpret_cast<const uint8_t*>(descriptor.data()), descriptor.size());
    const ReportDescriptor* d = ups ? &ups->descriptor() : parsed ? &*parsed : nullptr;
    if (d) {
        std::map<std::pair<ReportType, uint8_t>, std::vector<uint8_t>> reports;
        for (const Field& f : d->fields) {
            std::vector<uint8_t>& report = reports[{f.type, f.reportId}];
            if (report.empty()) {
                const size_t length = d->reportLength(f.type, f.reportId);
                fuzz::require(length >= 1 && length <= 4097);
                report.resize(length);
                for (size_t i = 0; i < report.size() && !pool.empty(); ++i)
                    report[i] = uint8_t(pool[i % pool.size()]);
            }
            fuzz::require(1 + (f.bitOffset + f.bitSize + 7) / 8 <= report.size());
            fuzz::require(readField(f, report.data(), report.size()).has_value() == (f.bitSize > 0));
            writeField(f, int64_t(report[0]) - 64, report.data(), report.size());
        }
        if (parsed)
            findLayout(*parsed);
    }
    if (ups) {
        ups->setSleep([](std::chrono::milliseconds) {});
        ups->readStatus();
        ups->switchOff({});
        ups->readStatus();
        ups->readInputStatus();
    }
    return 0;
}
