// Cost of the hid driver's work per poll: parsing a recorded report descriptor (done at
// every reconnect), one status query on a replayed device, and the wakeups of a poll
// through the driver (done every 2.2 s).
#include "hid/hid_driver.h"
#include "hid/hid_ups.h"
#include "hid/replay_device.h"
#include "hid/report_descriptor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::vector<uint8_t> fixture(const char* name) {
    std::vector<uint8_t> bytes;
    psu::hid::readBinaryFile(std::string(BRIGHTLOCK_FIXTURES "/hid/") + name, bytes);
    return bytes;
}

void parseDescriptor(benchmark::State& state, const char* name) {
    const std::vector<uint8_t> bytes = fixture(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(psu::hid::parseReportDescriptor(bytes.data(), bytes.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK_CAPTURE(parseDescriptor, cyberpower, "cyberpower-ec850lcd-0764-0501.bin");
BENCHMARK_CAPTURE(parseDescriptor, eaton, "eaton-3s-700-0463-ffff.bin");

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// The Eaton on mains in a temporary replay folder, removed with the object; each Feature
// read takes `controlMs`, as the control transfer on a real device does.
class EatonRecording {
public:
    explicit EatonRecording(unsigned controlMs) {
        char dir[] = "/tmp/brightlock-bench-XXXXXX";
        if (!::mkdtemp(dir))
            return;
        folder_ = dir;
        put("report_descriptor", fixture("eaton-3s-700-0463-ffff.bin"));
        put("feature-01", {0x01, 0x05, 0x00, 0x00});
        put("feature-06", {0x06, 0x64, 0x08, 0x07, 0x00, 0x00});
        put("feature-09", {0x09, 0xff, 0xff, 0xff, 0xff});
        put("feature-0a", {0x0a, 0xff, 0xff, 0xff, 0xff});
        const std::string device = "control_ms=" + std::to_string(controlMs) + "\n";
        put("device", std::vector<uint8_t>(device.begin(), device.end()));
    }
    ~EatonRecording() {
        for (const std::string& name : names_)
            std::remove((folder_ + "/" + name).c_str());
        if (!folder_.empty())
            ::rmdir(folder_.c_str());
    }
    const std::string& folder() const { return folder_; }

private:
    void put(const char* name, const std::vector<uint8_t>& bytes) {
        writeFile(folder_ + "/" + name, bytes);
        names_.push_back(name);
    }
    std::string folder_;
    std::vector<std::string> names_;
};

void replayedStatusQuery(benchmark::State& state) {
    const EatonRecording recording(0);
    auto ups =
        psu::hid::HidUps::create(std::make_unique<psu::hid::ReplayDevice>(recording.folder()), nullptr);
    if (!ups) {
        state.SkipWithError("the recording does not parse");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ups->readStatus());
}
BENCHMARK(replayedStatusQuery);

long voluntarySwitches() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage); // summed over every thread of the process
    return usage.ru_nvcsw;
}

// Polls through the hid driver, as libPSU.so makes them every 2.2 s on mains, on the
// Eaton replayed with 4 ms per control transfer. "wakeups" counts the voluntary context
// switches of all the process's threads per poll: the driver's own cost, to which the
// monitor adds the one of its poll timer.
void hidDriverPoll(benchmark::State& state) {
    const EatonRecording recording(4);
    ::setenv("PSU_HID_REPLAY", recording.folder().c_str(), 1);
    auto driver = psu::makeHidDriver();
    if (!driver->open()) {
        state.SkipWithError("the replayed UPS does not open");
        return;
    }
    const long before = voluntarySwitches();
    for (auto _ : state)
        benchmark::DoNotOptimize(driver->readStatus());
    state.counters["wakeups"] =
        benchmark::Counter(double(voluntarySwitches() - before), benchmark::Counter::kAvgIterations);
    ::unsetenv("PSU_HID_REPLAY");
}
BENCHMARK(hidDriverPoll)->Iterations(100);

} // namespace

BENCHMARK_MAIN();
