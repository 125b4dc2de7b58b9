// The device under the hid driver: a hidraw node, or a recorded device replayed from a
// folder. Results are byte counts, or -errno on failure.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace psu::hid {

class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual int reportDescriptor(std::vector<uint8_t>& out) = 0;

    // Reads Feature report `id` into `buf`; on success buf[0] holds the ID.
    virtual int getFeature(uint8_t id, uint8_t* buf, size_t length) = 0;

    // Writes a whole Feature report, ID byte first.
    virtual int setFeature(const uint8_t* buf, size_t length) = 0;

    // The next Input report from the interrupt pipe, waiting at most `timeoutMs`;
    // 0 when none came.
    virtual int readInput(uint8_t* buf, size_t length, int timeoutMs) = 0;

    virtual uint16_t vendorId() const = 0;
    virtual uint16_t productId() const = 0;
    // Where the device is, for messages: a /dev path or a replay folder.
    virtual std::string location() const = 0;
};

// Errors that mean the device has gone (unplugged, or the replay folder removed).
inline bool deviceGone(int result) {
    return result == -ENODEV || result == -EIO || result == -ESHUTDOWN || result == -EBADF;
}

} // namespace psu::hid
