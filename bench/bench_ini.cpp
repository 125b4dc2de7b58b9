// ReadIni and WriteIni on the shipped settings file: what one settings access costs the
// poll (reads) and the settings pages and the closer (durable writes).
#include "ini.h"
#include "settings.h"

#include <QCoreApplication>
#include <QFile>
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

// The longest reads a damaged file can cost: a line of 1.1 MB before the keys, and a file
// of the largest size still read (8 MiB of short lines), the key asked for at its end.
void readDamaged(benchmark::State& state, const QByteArray& before) {
    static QTemporaryDir dir;
    const QString file = dir.filePath("damaged.ini");
    QFile f(file);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(before);
    f.write("\n[UpsLowBattery]\nDelaytime=1\n");
    f.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadIni(file, "UpsLowBattery", "Delaytime", ""));
}

void BM_ReadIniAfterLongLine(benchmark::State& state) {
    readDamaged(state, QByteArray(1100 * 1000, 'x'));
}
BENCHMARK(BM_ReadIniAfterLongLine)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

void BM_ReadIniLargestFile(benchmark::State& state) {
    QByteArray lines;
    while (lines.size() < 8 * 1024 * 1024 - 64)
        lines += "; a comment line of a file grown large\n";
    readDamaged(state, lines);
}
BENCHMARK(BM_ReadIniLargestFile)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
