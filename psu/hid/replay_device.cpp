// The replay device; see replay_device.h.
#include "replay_device.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace psu::hid {
namespace {

constexpr size_t kMaxFile = 64 * 1024;

constexpr unsigned kMaxControlMs = 10000;

// An optional "device" file of the recording: "vendor=0764\nproduct=0501\ncontrol_ms=4\n".
void readDeviceFile(const std::string& folder, uint16_t& vendor, uint16_t& product, unsigned& controlMs) {
    std::vector<uint8_t> bytes;
    if (!readBinaryFile(folder + "/device", bytes))
        return;
    std::string text(bytes.begin(), bytes.end());
    unsigned v = 0;
    if (auto pos = text.find("vendor=");
        pos != std::string::npos && std::sscanf(text.c_str() + pos, "vendor=%x", &v) == 1)
        vendor = uint16_t(v);
    if (auto pos = text.find("product=");
        pos != std::string::npos && std::sscanf(text.c_str() + pos, "product=%x", &v) == 1)
        product = uint16_t(v);
    if (auto pos = text.find("control_ms=");
        pos != std::string::npos && std::sscanf(text.c_str() + pos, "control_ms=%u", &v) == 1)
        controlMs = std::min(v, kMaxControlMs);
}

} // namespace

std::string reportFileName(const char* kind, uint8_t id) {
    char name[32];
    std::snprintf(name, sizeof name, "%s-%02x", kind, unsigned(id));
    return name;
}

bool readBinaryFile(const std::string& path, std::vector<uint8_t>& out) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.clear();
    uint8_t chunk[4096];
    bool ok = true;
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || out.size() + size_t(n) > kMaxFile) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        out.insert(out.end(), chunk, chunk + n);
    }
    ::close(fd);
    return ok;
}

ReplayDevice::ReplayDevice(std::string folder) : folder_(std::move(folder)) {
    readDeviceFile(folder_, vendor_, product_, controlMs_);
}

void ReplayDevice::controlTransfer() const {
    if (controlMs_ > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(controlMs_));
}

bool ReplayDevice::present() const {
    struct stat st {};
    return ::stat((folder_ + "/report_descriptor").c_str(), &st) == 0;
}

int ReplayDevice::reportDescriptor(std::vector<uint8_t>& out) {
    if (!readBinaryFile(folder_ + "/report_descriptor", out))
        return -ENODEV;
    return int(out.size());
}

int ReplayDevice::getFeature(uint8_t id, uint8_t* buf, size_t length) {
    controlTransfer();
    if (!present())
        return -ENODEV;
    std::vector<uint8_t> report;
    if (!readBinaryFile(folder_ + "/" + reportFileName("feature", id), report) || report.empty())
        return -EPIPE; // what a device that does not know the report answers
    const size_t n = std::min(length, report.size());
    std::memcpy(buf, report.data(), n);
    return int(n);
}

int ReplayDevice::setFeature(const uint8_t* buf, size_t length) {
    controlTransfer();
    if (!present())
        return -ENODEV;
    std::string line;
    for (size_t i = 0; i < length; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i ? " %02x" : "%02x", unsigned(buf[i]));
        line += hex;
    }
    line += '\n';
    int fd = ::open((folder_ + "/written").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return -EIO;
    const bool ok = ::write(fd, line.data(), line.size()) == ssize_t(line.size());
    ::close(fd);
    return ok ? int(length) : -EIO;
}

int ReplayDevice::readInput(uint8_t* buf, size_t length, int) {
    if (!present())
        return -ENODEV;
    if (pendingInput_.empty() && refill_) {
        refill_ = false;
        if (DIR* dir = ::opendir(folder_.c_str())) {
            std::vector<std::string> names;
            while (dirent* e = ::readdir(dir))
                if (std::strncmp(e->d_name, "input-", 6) == 0)
                    names.push_back(e->d_name);
            ::closedir(dir);
            std::sort(names.begin(), names.end());
            for (const std::string& name : names) {
                std::vector<uint8_t> report;
                if (readBinaryFile(folder_ + "/" + name, report) && !report.empty())
                    pendingInput_.push_back(std::move(report));
            }
        }
    }
    if (pendingInput_.empty()) {
        refill_ = true; // the next drain sees the files again, as a device repeats its reports
        return 0;
    }
    std::vector<uint8_t> report = std::move(pendingInput_.front());
    pendingInput_.pop_front();
    const size_t n = std::min(length, report.size());
    std::memcpy(buf, report.data(), n);
    return int(n);
}

} // namespace psu::hid
