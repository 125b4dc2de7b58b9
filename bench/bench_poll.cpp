// One tick of the 2.2 s power-event poll as the monitor runs it: settings read from the
// file, a status query through the real libPSU.so (simulated UPS), and the three record
// stores trimmed, each store holding 1000 rows.
#include "ini.h"
#include "monitor.h"
#include "monitor/core/psu_library.h"
#include "record_stores.h"
#include "settings.h"
#include "store_recorder.h"
#include "termios_serial_line.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace brightlock;

namespace {

struct Quiet : TrayIcon, AlarmControl, MainFormHooks, DesktopNotices {
    void ShowTrayIcon(TrayPicture, const QString&) override {}
    void RemoveTrayIcon() override {}
    void setTip(const QString&) override {}
    void notify(const DesktopNotice&) override {}
    void showAlarm() override {}
    void unloadAlarm() override {}
    void LayoutFormSkin() override {}
    void selectStatusPage() override {}
};

struct Rig {
    QTemporaryDir dir;
    PsuLibrary psu;
    TermiosSerialLine serial;
    Quiet quiet;
    std::unique_ptr<RecordStores> stores;
    std::unique_ptr<StoreRecorder> recorder;
    std::unique_ptr<Monitor> monitor;

    explicit Rig(int limit) {
        qputenv("BRIGHTLOCK_HOME", dir.path().toLocal8Bit());
        qputenv("PSU_DRIVER", "sim");
        installSettingsFile();
        for (const char* key : {"Logcount", "Eventcount", "Closecount"})
            WriteIni(SettingsFile(), "OSEvent", key, QString::number(limit));
        stores = std::make_unique<RecordStores>(dir.path());
        stores->bind();
        for (int i = 0; i < 1000; ++i) {
            stores->appendEvent(QStringLiteral("Attention!! System Power Failed"));
            stores->importClosedApplication("2026-12-07", "12:00:00", "Editor", "SaveClose1");
        }
        recorder = std::make_unique<StoreRecorder>(*stores);
        monitor =
            std::make_unique<Monitor>(Monitor::Ports{psu, serial, *recorder, quiet, quiet, quiet, quiet});
        monitor->Form_Load();
    }
};

// Steady on-line polling: nothing to record, nothing to delete.
void BM_PollTick(benchmark::State& state) {
    Rig rig(2000);
    for (auto _ : state)
        rig.monitor->Timer1Tick();
    state.counters["log rows"] = rig.stores->count(Store::Log);
}
BENCHMARK(BM_PollTick)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// Every store at its limit: each tick deletes the oldest row of all three.
void BM_PollTickTrimming(benchmark::State& state) {
    Rig rig(1000);
    for (auto _ : state) {
        state.PauseTiming();
        rig.stores->appendEvent(QStringLiteral("UPS Battery Low Recovered"));
        rig.stores->importClosedApplication("2026-12-07", "12:00:01", "Editor", "SaveClose2");
        state.ResumeTiming();
        rig.monitor->Timer1Tick();
    }
}
BENCHMARK(BM_PollTickTrimming)
    ->Repetitions(5)
    ->Iterations(200)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
