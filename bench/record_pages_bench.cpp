// What a user waits for on the record pages and the save list: a tab click that opens a
// record page holding 1000 rows (grid read, trim check, clear-button count), and the
// import of a closer's list of 100 saved applications (the list read, the rows added with
// their sync, the flag written). Runs offscreen, in a temporary folder under the current
// directory so the syncs hit a real disk.
#include "frm_close.h"
#include "frm_log.h"
#include "import_closed_apps.h"
#include "settings.h"
#include "settings_catalogue.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace brightlock;

namespace {

constexpr int kRows = 1000;
constexpr int kEntries = 100;

struct Fixture {
    QTemporaryDir dir{QDir::current().filePath("record_pages_bench_XXXXXX")};
    RecordStores stores{dir.path()};

    Fixture() {
        qputenv("BRIGHTLOCK_HOME", dir.path().toLocal8Bit());
        installSettingsFile();
        stores.bind();
        for (const Store store : {Store::Log, Store::Closed}) {
            QSqlDatabase db = QSqlDatabase::database(stores.connectionName(store));
            db.transaction();
            QSqlQuery insert(db);
            insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?%2)")
                               .arg(stores.tableName(store), store == Store::Closed ? ", ?" : ""));
            for (int i = 0; i < kRows; ++i) {
                insert.addBindValue(QDate(2024, 1, 1).addDays(i % 365).toString(Qt::ISODate));
                insert.addBindValue(QStringLiteral("10:00:00"));
                insert.addBindValue(QStringLiteral("Attention!! System Power Failed"));
                if (store == Store::Closed)
                    insert.addBindValue(QStringLiteral("/home/user/Save/SaveClose%1").arg(i));
                insert.exec();
            }
            db.commit();
        }
        QByteArray list = "[CloseApp]\n";
        for (int i = 1; i <= kEntries; ++i)
            list +=
                QByteArray::number(i) + "=Report " + QByteArray::number(i) + ".odt - LibreOffice Writer\n";
        list += "Count=" + QByteArray::number(kEntries) + "\n[Date]\n";
        for (int i = 1; i <= kEntries; ++i)
            list += QByteArray::number(i) + "=2024-05-01\n";
        list += "[Time]\n";
        for (int i = 1; i <= kEntries; ++i)
            list += QByteArray::number(i) + "=08:00:00\n";
        list += "[SaveAppFileName]\n";
        for (int i = 1; i <= kEntries; ++i)
            list += QByteArray::number(i) + "=/home/user/Save/SaveClose" + QByteArray::number(i) + "\n";
        QFile file(closeapp::filePath());
        file.open(QIODevice::WriteOnly);
        file.write(list);
    }
};

Fixture& fixture() {
    static Fixture shared;
    return shared;
}

// A tab click on a page whose store holds 1000 rows, within its limit.
void openPage(benchmark::State& state, RecordPage& page) {
    for (auto _ : state)
        page.pageOpened();
    state.counters["rows"] = fixture().stores.count(page.view().store());
}

void OpenLogPage(benchmark::State& state) {
    FrmLog page(fixture().stores);
    openPage(state, page);
}

void OpenClosedApplicationsPage(benchmark::State& state) {
    FrmClose page(fixture().stores);
    openPage(state, page);
}

void ImportHundredEntries(benchmark::State& state) {
    Fixture& f = fixture();
    ImportClosedApps import([&f](const std::vector<ClosedAppRow>& rows) {
        return f.stores.importClosedApplications(QList<QStringList>(rows.begin(), rows.end()));
    });
    const std::string path = closeapp::filePath().toStdString();
    for (auto _ : state) {
        state.PauseTiming();
        settings::write(settings::CloseAppFlag, QStringLiteral("1"));
        f.stores.trimToLimit(Store::Closed, kRows);
        state.ResumeTiming();
        import.run(path);
    }
}

} // namespace

BENCHMARK(OpenLogPage)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenClosedApplicationsPage)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ImportHundredEntries)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
