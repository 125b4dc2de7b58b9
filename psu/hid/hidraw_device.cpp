// hidraw nodes and the sysfs search for UPSes; see hidraw_device.h.
#include "hidraw_device.h"

#include "replay_device.h"
#include "ups_vendors.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace psu::hid {
namespace {

std::string readText(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!readBinaryFile(path, bytes))
        return {};
    std::string text(bytes.begin(), bytes.end());
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::vector<std::string> listDir(const std::string& path) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(path.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        ::closedir(dir);
    }
    return names;
}

std::string linkTarget(const std::string& path) {
    char buf[4096];
    ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    buf[n] = '\0';
    return buf;
}

std::string baseName(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "hidraw10" after "hidraw9".
bool byNumber(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

// The processes that have `devNode` open (only those this user may inspect).
std::string programsHolding(const std::string& devNode) {
    std::string result;
    for (const std::string& pid : listDir("/proc")) {
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string fdDir = "/proc/" + pid + "/fd";
        for (const std::string& fd : listDir(fdDir)) {
            if (linkTarget(fdDir + "/" + fd) != devNode)
                continue;
            std::string comm = readText("/proc/" + pid + "/comm");
            if (!result.empty())
                result += ", ";
            result += (comm.empty() ? "?" : comm) + " (pid " + pid + ")";
            break;
        }
    }
    return result;
}

} // namespace

std::unique_ptr<HidrawDevice> HidrawDevice::open(const std::string& devPath, int* error) {
    int fd = ::open(devPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (error)
            *error = errno;
        return nullptr;
    }
    std::unique_ptr<HidrawDevice> dev(new HidrawDevice(fd, devPath));
    hidraw_devinfo info{};
    if (::ioctl(fd, HIDIOCGRAWINFO, &info) == 0) {
        dev->vendor_ = uint16_t(info.vendor);
        dev->product_ = uint16_t(info.product);
    }
    return dev;
}

HidrawDevice::HidrawDevice(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

HidrawDevice::~HidrawDevice() {
    ::close(fd_);
}

int HidrawDevice::reportDescriptor(std::vector<uint8_t>& out) {
    int size = 0;
    if (::ioctl(fd_, HIDIOCGRDESCSIZE, &size) < 0)
        return -errno;
    hidraw_report_descriptor desc{};
    desc.size = uint32_t(std::clamp(size, 0, HID_MAX_DESCRIPTOR_SIZE));
    if (::ioctl(fd_, HIDIOCGRDESC, &desc) < 0)
        return -errno;
    out.assign(desc.value, desc.value + desc.size);
    return int(out.size());
}

int HidrawDevice::getFeature(uint8_t id, uint8_t* buf, size_t length) {
    if (length == 0)
        return -EINVAL;
    buf[0] = id;
    int n = ::ioctl(fd_, HIDIOCGFEATURE(length), buf);
    return n < 0 ? -errno : n;
}

int HidrawDevice::setFeature(const uint8_t* buf, size_t length) {
    std::vector<uint8_t> copy(buf, buf + length); // the ioctl may write into its buffer
    int n = ::ioctl(fd_, HIDIOCSFEATURE(length), copy.data());
    return n < 0 ? -errno : n;
}

int HidrawDevice::readInput(uint8_t* buf, size_t length, int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    int r = ::poll(&p, 1, timeoutMs);
    if (r < 0)
        return errno == EINTR ? 0 : -errno;
    if (r == 0)
        return 0;
    if (p.revents & (POLLERR | POLLHUP | POLLNVAL))
        return -ENODEV;
    ssize_t n = ::read(fd_, buf, length);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR ? 0 : -errno;
    return int(n);
}

HidrawNode readHidrawNode(const std::string& classDir) {
    const std::string dev = classDir + "/device";
    HidrawNode node;
    node.devPath = "/dev/" + baseName(classDir);
    const std::string uevent = readText(dev + "/uevent");
    unsigned bus = 0, vendor = 0, product = 0;
    if (auto pos = uevent.find("HID_ID=");
        pos != std::string::npos &&
        std::sscanf(uevent.c_str() + pos, "HID_ID=%x:%x:%x", &bus, &vendor, &product) == 3) {
        node.busType = uint16_t(bus);
        node.vendorId = uint16_t(vendor);
        node.productId = uint16_t(product);
    }
    if (auto pos = uevent.find("HID_NAME="); pos != std::string::npos)
        node.name = uevent.substr(pos + 9, uevent.find('\n', pos) - pos - 9);
    readBinaryFile(dev + "/report_descriptor", node.descriptor);
    return node;
}

std::vector<HidrawNode> listHidrawNodes(const std::string& sysRoot) {
    std::vector<std::string> names = listDir(sysRoot);
    std::sort(names.begin(), names.end(), byNumber);
    std::vector<HidrawNode> nodes;
    for (const std::string& name : names)
        nodes.push_back(readHidrawNode(sysRoot + "/" + name));
    return nodes;
}

std::vector<HeldUsbDevice> listHeldUpsDevices(const std::vector<HidrawNode>& nodes, const std::string& root) {
    std::vector<HeldUsbDevice> held;
    for (const std::string& name : listDir(root)) {
        if (name.find(':') != std::string::npos)
            continue; // an interface, not a device
        const std::string dir = root + "/" + name;
        const uint16_t vendor = uint16_t(std::strtoul(readText(dir + "/idVendor").c_str(), nullptr, 16));
        const uint16_t product = uint16_t(std::strtoul(readText(dir + "/idProduct").c_str(), nullptr, 16));
        if (!findUpsVendor(vendor, product))
            continue;
        const bool hasNode = std::any_of(nodes.begin(), nodes.end(), [&](const HidrawNode& n) {
            return n.vendorId == vendor && n.productId == product;
        });
        if (hasNode)
            continue;
        HeldUsbDevice d;
        d.vendorId = vendor;
        d.productId = product;
        d.product = readText(dir + "/product");
        d.driver = baseName(linkTarget(dir + "/" + name + ":1.0/driver"));
        const int busnum = std::atoi(readText(dir + "/busnum").c_str());
        const int devnum = std::atoi(readText(dir + "/devnum").c_str());
        char node[64];
        std::snprintf(node, sizeof node, "/dev/bus/usb/%03d/%03d", busnum, devnum);
        d.programs = programsHolding(node);
        held.push_back(std::move(d));
    }
    return held;
}

} // namespace psu::hid
