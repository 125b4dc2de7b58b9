// A USB HID device reached through its Linux hidraw node, and the search for UPSes among
// the hidraw nodes and USB devices of the machine (sysfs).
#pragma once

#include "hid_device.h"

#include <memory>

namespace psu::hid {

class HidrawDevice : public HidDevice {
public:
    // Opens the node; nullptr with `error` set to errno when it cannot be opened.
    static std::unique_ptr<HidrawDevice> open(const std::string& devPath, int* error);
    ~HidrawDevice() override;

    int reportDescriptor(std::vector<uint8_t>& out) override;
    int getFeature(uint8_t id, uint8_t* buf, size_t length) override;
    int setFeature(const uint8_t* buf, size_t length) override;
    int readInput(uint8_t* buf, size_t length, int timeoutMs) override;
    uint16_t vendorId() const override { return vendor_; }
    uint16_t productId() const override { return product_; }
    std::string location() const override { return path_; }

private:
    HidrawDevice(int fd, std::string path);

    int fd_;
    std::string path_;
    uint16_t vendor_ = 0;
    uint16_t product_ = 0;
};

// A hidraw node as sysfs describes it.
struct HidrawNode {
    std::string devPath; // /dev/hidrawN
    std::string name;    // the product string the device gives
    uint16_t busType = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::vector<uint8_t> descriptor;
};

// The hidraw node whose sysfs folder is `classDir` (/sys/class/hidraw/hidrawN, or the
// device path udev names). Fields it cannot read stay empty.
HidrawNode readHidrawNode(const std::string& classDir);

// Every hidraw node, in the order of their numbers. `sysRoot` is for tests.
std::vector<HidrawNode> listHidrawNodes(const std::string& sysRoot = "/sys/class/hidraw");

// A USB device of a known UPS vendor that has no hidraw node: some other driver (usually
// another UPS daemon through libusb) has claimed it.
struct HeldUsbDevice {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string product;
    std::string driver;   // the kernel driver bound to its interface ("usbfs": a program)
    std::string programs; // programs that hold its /dev/bus/usb node, where visible
};

std::vector<HeldUsbDevice> listHeldUpsDevices(const std::vector<HidrawNode>& nodes,
                                              const std::string& sysRoot = "/sys/bus/usb/devices");

} // namespace psu::hid
