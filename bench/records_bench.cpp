// Cost of the record stores on the poll: an appended power event (two committed rows,
// each synced to disk), and the trim step that runs for all three stores every poll, at
// 1000 rows. Runs in a temporary folder under the current directory so the syncs hit a
// real disk (not a RAM-backed /tmp).
#include "record_stores.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using brightlock::RecordStores;
using brightlock::Store;

namespace {

constexpr int kRows = 1000;

struct Fixture {
    QTemporaryDir dir{QDir::current().filePath("records_bench_XXXXXX")};
    RecordStores stores{dir.path()};

    Fixture() {
        stores.bind();
        for (int i = 0; i < kRows; ++i) {
            stores.appendEvent(QStringLiteral("Attention!! System Power Failed"));
            stores.importClosedApplication("2024-01-01", "10:00:00", "Editor", "/data/Save/SaveClose1");
        }
    }
    void refill(Store store) {
        if (store == Store::Closed)
            stores.importClosedApplication("2025-01-01", "10:00:00", "Editor", "/data/Save/SaveClose1");
        else
            stores.appendEvent(QStringLiteral("System AC Power Recovered"));
    }
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

void AppendEvent(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        f.stores.appendEvent(QStringLiteral("Attention!! System Power Failed"));
        state.PauseTiming();
        f.stores.trimToLimit(Store::Log, kRows);
        f.stores.trimToLimit(Store::Ups, kRows);
        state.ResumeTiming();
    }
}

// The common poll: every store below its limit, nothing to delete.
void PollTrimIdle(benchmark::State& state) {
    Fixture& f = fixture();
    for (const Store store : {Store::Log, Store::Ups, Store::Closed})
        f.stores.trimToLimit(store, kRows - 1);
    for (auto _ : state) {
        f.stores.trimStep(Store::Log, kRows);
        f.stores.trimStep(Store::Ups, kRows);
        f.stores.trimStep(Store::Closed, kRows);
    }
}

// One store at its limit: the step deletes its oldest row.
void TrimStepDeleting(benchmark::State& state) {
    Fixture& f = fixture();
    const auto store = static_cast<Store>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        f.stores.trimToLimit(store, kRows - 1);
        f.refill(store);
        state.ResumeTiming();
        f.stores.trimStep(store, kRows);
    }
    state.SetLabel(f.stores.tableName(store).toStdString());
}

} // namespace

BENCHMARK(AppendEvent)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(PollTrimIdle)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(TrimStepDeleting)
    ->DenseRange(0, 2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
