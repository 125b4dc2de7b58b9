// What a user waits for when the History window opens on a month of samples (31 days, one a
// minute: 44 640 rows, with an outage a day): the rows read from EventRecord.mdb, the chart's
// points built, the window shown and painted once. The read alone is measured too. Runs
// offscreen, in a temporary folder under the current directory.
#include "frm_history.h"
#include "history_samples.h"
#include "history_series.h"

#include <QApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace brightlock;

namespace {

constexpr qint64 kNow = 1767225600; // 2026-01-01 00:00:00 UTC
constexpr int kMinutes = 31 * 24 * 60;

struct Fixture {
    QTemporaryDir dir{QDir::current().filePath("history_bench_XXXXXX")};
    HistoryStore store;

    Fixture() {
        if (!store.open(dir.path()).isEmpty())
            qFatal("cannot open the history in %s", qPrintable(dir.path()));
        // One transaction, as the monitor would have written them over a month.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(QDir(dir.path()).filePath(QStringLiteral("EventRecord.mdb")));
        db.open();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare(QStringLiteral("INSERT INTO History VALUES (?, ?, ?, ?, ?, ?)"));
        for (int i = 0; i < kMinutes; ++i) {
            const int minuteOfDay = i % 1440;
            const bool out = minuteOfDay >= 600 && minuteOfDay < 615; // 15 min on battery a day
            insert.addBindValue(kNow - qint64(kMinutes - i) * 60);
            insert.addBindValue(out ? QStringLiteral("onbattery") : QStringLiteral("online"));
            insert.addBindValue(out ? 100 - (minuteOfDay - 600) * 4 : 100);
            insert.addBindValue(out ? 1500 - (minuteOfDay - 600) * 80 : 1800);
            insert.addBindValue(20 + (i / 7) % 15);
            insert.addBindValue(out ? 0.0 : 228.0 + (i % 40) / 10.0);
            insert.exec();
        }
        db.commit();
        db.close();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void readMonth(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        const HistorySeries series =
            historySeries(f.store, kNow - frmHistory::seconds(frmHistory::Period::Month), kNow + 1, 700);
        if (series.samples != kMinutes || series.failures.size() != 31)
            state.SkipWithError(qPrintable(
                QStringLiteral("%1 samples, %2 failures").arg(series.samples).arg(series.failures.size())));
    }
}
BENCHMARK(readMonth)->Unit(benchmark::kMillisecond)->Iterations(10);

void openWindowOnMonth(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        frmHistory window(f.store, [] { return kNow; });
        window.setPeriod(frmHistory::Period::Month);
        window.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(openWindowOnMonth)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
