// A recorded UPS replayed from a folder, for tests and for users' bug reports:
//   report_descriptor  the raw descriptor bytes
//   feature-XX         Feature report XX (two lower-case hex digits), raw, ID byte first
//   input-XX           optional: an Input report as the hidraw node delivers it
//   written            every report written, one line of space-separated hex bytes each
//   device             optional: "vendor=0764", "product=0501" and "control_ms=4" lines; the
//                      last makes each Feature read or write take that long, as the USB
//                      control transfer behind it does on a real device
// Files are read at every call, so a test may change them between queries; a missing
// report_descriptor makes the device "unplugged".
#pragma once

#include "hid_device.h"

#include <deque>

namespace psu::hid {

class ReplayDevice : public HidDevice {
public:
    explicit ReplayDevice(std::string folder);

    int reportDescriptor(std::vector<uint8_t>& out) override;
    int getFeature(uint8_t id, uint8_t* buf, size_t length) override;
    int setFeature(const uint8_t* buf, size_t length) override;
    int readInput(uint8_t* buf, size_t length, int timeoutMs) override;
    uint16_t vendorId() const override { return vendor_; }
    uint16_t productId() const override { return product_; }
    std::string location() const override { return folder_; }

private:
    bool present() const;
    void controlTransfer() const;

    std::string folder_;
    uint16_t vendor_ = 0;
    uint16_t product_ = 0;
    unsigned controlMs_ = 0;
    std::deque<std::vector<uint8_t>> pendingInput_;
    bool refill_ = true;
};

// The file name of a recorded report: "feature-0b".
std::string reportFileName(const char* kind, uint8_t id);

// Reads a whole small file; false when it cannot be read.
bool readBinaryFile(const std::string& path, std::vector<uint8_t>& out);

} // namespace psu::hid
