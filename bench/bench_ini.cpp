// ReadIni and WriteIni on the shipped settings file: what one settings access costs the
// poll (reads) and the settings pages and the closer (durable writes).
#include "ini.h"
#include "settings.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Home {
    QTemporaryDir dir;
    Home() {
        qputenv("BRIGHTLOCK_HOME", dir.path().toLocal8Bit());
        brightlock::installSettingsFile();
    }
};

Home& home() {
    static Home h;
    return h;
}

void BM_ReadIni(benchmark::State& state) {
    home();
    const QString file = SettingsFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadIni(file, "UpsLowBattery", "Delaytime", ""));
}
BENCHMARK(BM_ReadIni)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_WriteIni(benchmark::State& state) {
    home();
    const QString file = SettingsFile();
    int i = 0;
    for (auto _ : state)
        WriteIni(file, "Schema", "ShutDown", (++i % 2) ? "1" : "0"); // a real change each time
}
BENCHMARK(BM_WriteIni)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
