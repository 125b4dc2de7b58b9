// upsprobe --capture: records a UPS into the replay format of the hid driver. It only
// reads from the device.
#include "probe.h"

#include "app_dir.h"
#include "hid/hidraw_device.h"
#include "hid/replay_device.h"
#include "hid/report_descriptor.h"
#include "hid/ups_finder.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>

namespace upsprobe {
namespace {

using namespace psu::hid;

constexpr int kListenMs = 3000;

bool writeFile(const std::string& path, const void* data, size_t size) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, data, size) == ssize_t(size);
    return ::close(fd) == 0 && ok;
}

std::string firstUpsPath() {
    for (const Candidate& c : probeHidraw(true))
        if (c.ups)
            return c.node.devPath;
    return {};
}

} // namespace

int capture(const std::string& folder, const std::string& device) {
    const std::string path = device.empty() ? firstUpsPath() : device;
    if (path.empty()) {
        std::fprintf(stderr, "upsprobe: no usable UPS to record (run upsprobe without options to see why)\n");
        return 1;
    }
    int error = 0;
    auto dev = HidrawDevice::open(path, &error);
    if (!dev) {
        std::fprintf(stderr, "upsprobe: cannot open %s: %s\n", path.c_str(), std::strerror(error));
        return 1;
    }
    std::vector<uint8_t> bytes;
    if (int r = dev->reportDescriptor(bytes); r < 0) {
        std::fprintf(stderr, "upsprobe: cannot read the report descriptor: %s\n", std::strerror(-r));
        return 1;
    }
    std::string parseError;
    auto descriptor = parseReportDescriptor(bytes.data(), bytes.size(), &parseError);
    if (!brightlock::makeDirectories(folder) ||
        !writeFile(folder + "/report_descriptor", bytes.data(), bytes.size())) {
        std::fprintf(stderr, "upsprobe: cannot write into %s\n", folder.c_str());
        return 1;
    }
    char ids[64];
    std::snprintf(ids, sizeof ids, "vendor=%04x\nproduct=%04x\n", dev->vendorId(), dev->productId());
    writeFile(folder + "/device", ids, std::strlen(ids));
    if (!descriptor) {
        std::printf("recorded the descriptor only; it does not parse: %s\n", parseError.c_str());
        return 1;
    }

    int features = 0;
    for (uint8_t id : descriptor->reportIds(ReportType::Feature)) {
        std::vector<uint8_t> report(descriptor->reportLength(ReportType::Feature, id));
        const int n = dev->getFeature(id, report.data(), report.size());
        if (n <= 0) {
            std::printf("feature report 0x%02x: not readable (%s)\n", id,
                        n < 0 ? std::strerror(-n) : "empty");
            continue;
        }
        writeFile(folder + "/" + reportFileName("feature", id), report.data(), size_t(n));
        ++features;
    }

    std::printf("listening %d s for input reports...\n", kListenMs / 1000);
    std::map<uint8_t, std::vector<uint8_t>> inputs;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kListenMs);
    std::vector<uint8_t> buf(4097);
    for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
        const int left = int(std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count());
        const int n = dev->readInput(buf.data(), buf.size(), left);
        if (n < 0)
            break;
        if (n > 0)
            inputs[descriptor->usesReportIds ? buf[0] : 0].assign(buf.begin(), buf.begin() + n);
    }
    for (const auto& [id, report] : inputs)
        writeFile(folder + "/" + reportFileName("input", id), report.data(), report.size());

    std::printf("recorded %s into %s: descriptor, %d feature reports, %zu input reports\n", path.c_str(),
                folder.c_str(), features, inputs.size());
    std::printf("replay it with: PSU_DRIVER=hid PSU_HID_REPLAY=%s\n", folder.c_str());
    return 0;
}

} // namespace upsprobe
