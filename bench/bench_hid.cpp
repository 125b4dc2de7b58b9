// Cost of the hid driver's work per poll: parsing a recorded report descriptor (done at
// every reconnect) and one status query on a replayed device (done every 2.2 s).
#include "hid/hid_ups.h"
#include "hid/replay_device.h"
#include "hid/report_descriptor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
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

void replayedStatusQuery(benchmark::State& state) {
    char dir[] = "/tmp/brightlock-bench-XXXXXX";
    if (!::mkdtemp(dir)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string folder = dir;
    writeFile(folder + "/report_descriptor", fixture("eaton-3s-700-0463-ffff.bin"));
    writeFile(folder + "/feature-01", {0x01, 0x10, 0x00, 0x00});
    writeFile(folder + "/feature-06", {0x06, 0x50, 0x58, 0x02, 0x00, 0x00});
    writeFile(folder + "/feature-09", {0x09, 0xff, 0xff, 0xff, 0xff});
    writeFile(folder + "/feature-0a", {0x0a, 0xff, 0xff, 0xff, 0xff});
    auto ups = psu::hid::HidUps::create(std::make_unique<psu::hid::ReplayDevice>(folder), nullptr);
    if (!ups) {
        state.SkipWithError("the recording does not parse");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(ups->readStatus());
    for (const char* name : {"report_descriptor", "feature-01", "feature-06", "feature-09", "feature-0a"})
        std::remove((folder + "/" + name).c_str());
    ::rmdir(dir);
}
BENCHMARK(replayedStatusQuery);

} // namespace

BENCHMARK_MAIN();
