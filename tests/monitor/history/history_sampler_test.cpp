// The battery history as the running monitor keeps it: the real libPSU.so with its simulated
// UPS set by upssim, the monitor's poll, the sampler on a clock of the test's, and the History
// table of a real EventRecord.mdb.
#include "history_hook.h"
#include "history_series.h"
#include "monitor/core/psu_library.h"
#include "support/monitor_rig.h"

#include <QProcess>
#include <QTest>

using namespace brightlock;

namespace {

void upssim(const QStringList& args) {
    QProcess p;
    p.start(qEnvironmentVariable("BRIGHTLOCK_DIST") + "/upssim", args);
    QVERIFY(p.waitForFinished() && p.exitCode() == 0);
}

// 2026-01-01 00:00:00 UTC: polls start 5 s into a minute.
constexpr qint64 kStart = 1767225600 + 5;

// The monitor on the real driver library, with the simulated UPS.
struct Rig : MonitorRigOf<fakes::Notices, PsuLibrary> {
    HistoryStore store;
    qint64 nowMs = kStart * 1000;
    HistorySampler sampler{store, [this] { return nowMs / 1000; }};

    Rig() {
        qputenv("PSU_DRIVER", "sim");
        upssim({"online", "--charge", "100", "--runtime", "1800", "--load", "23", "--voltage", "229.5"});
        QVERIFY(store.open(home.path()).isEmpty());
        sampleEveryPoll(monitor, sampler);
        monitor.Form_Load();
    }
    ~Rig() { qunsetenv("PSU_DRIVER"); }

    // Polls for `ms` of the clock, one poll every 2.2 s.
    void pollFor(qint64 ms) {
        for (const qint64 end = nowMs + ms; nowMs < end;) {
            nowMs += Monitor::kPollMs;
            monitor.Timer1Tick();
        }
    }
    QVector<HistorySample> all() const { return store.read(0, std::numeric_limits<qint64>::max()); }
};

QString states(const QVector<HistorySample>& samples) {
    QStringList names;
    for (const HistorySample& s : samples)
        names << powerStateName(s.reading.state);
    return names.join(' ');
}

} // namespace

class TestHistorySampler : public QObject {
    Q_OBJECT
private slots:
    // One sample in each minute of the clock, not one per poll; an event is sampled at the
    // poll that sees it, even in a minute already sampled; the readings the simulated UPS
    // gives reach the table, and a UPS that stops answering leaves a sample without them.
    void everyMinuteAndAtEachEvent() {
        Rig rig;
        rig.pollFor(3 * 60 * 1000); // polls from 00:00:07 to 00:03:05
        QVector<HistorySample> s = rig.all();
        QCOMPARE(states(s), QString("online online online online"));
        for (int i = 1; i < s.size(); ++i)
            QCOMPARE(s[i].time / 60, s[i - 1].time / 60 + 1);
        const PowerReading& first = s.first().reading;
        QCOMPARE(first.chargePercent, std::optional<int>(100));
        QCOMPARE(first.runtimeSeconds, std::optional<qint64>(1800));
        QCOMPARE(first.loadPercent, std::optional<int>(23));
        QCOMPARE(first.inputVoltage, std::optional<double>(229.5));

        upssim({"onbatt", "--charge", "80", "--runtime", "900", "--load", "31", "--voltage", "0"});
        rig.pollFor(Monitor::kPollMs);
        upssim({"lowbatt", "--charge", "9", "--runtime", "60", "--load", "none", "--voltage", "none"});
        rig.pollFor(Monitor::kPollMs);
        upssim({"silent"});
        rig.pollFor(Monitor::kPollMs);
        upssim({"online"});
        rig.pollFor(Monitor::kPollMs);
        s = rig.all();
        QCOMPARE(states(s), QString("online online online online onbattery lowbattery noanswer online"));
        QCOMPARE(s[4].time / 60, s[3].time / 60); // the events came within the last sampled minute
        QCOMPARE(s[4].reading.inputVoltage, std::optional<double>(0.0));
        QCOMPARE(s[4].reading.loadPercent, std::optional<int>(31));
        QCOMPARE(s[5].reading.chargePercent, std::optional<int>(9));
        QVERIFY(!s[5].reading.loadPercent && !s[5].reading.inputVoltage);
        QVERIFY(!s[6].reading.chargePercent && !s[6].reading.runtimeSeconds);

        rig.pollFor(40 * 1000); // the rest of that minute: nothing new
        QCOMPARE(rig.all().size(), s.size());
    }

    // Each sample deletes the samples older than 31 days; the rest stay.
    void keepsThirtyOneDays() {
        Rig rig;
        const qint64 keep = HistorySampler::kKeepSeconds;
        const qint64 then = kStart + 40 * 24 * 3600;
        for (qint64 t : {then - keep - 3600, then - keep - 1, then - keep + 60, then - 60})
            QVERIFY(rig.store.append({t, PowerReading{PowerState::OnLine, 50, 600, {}, {}}}, 0));
        rig.nowMs = then * 1000;
        rig.pollFor(Monitor::kPollMs);
        const QVector<HistorySample> s = rig.all();
        QCOMPARE(s.size(), 3);
        QCOMPARE(s[0].time, then - keep + 60);
        QCOMPARE(s[2].reading.chargePercent, std::optional<int>(100)); // the new sample
    }

    // What the History chart draws: the failed stretches from the first failed sample to the
    // first sample after them, exactly where slices are short, and as nearly where one slice
    // holds the whole period; each reading's lowest and highest value per slice.
    void chartSeries() {
        TempHome home;
        HistoryStore store;
        QVERIFY(store.open(home.path()).isEmpty());
        const qint64 t = kStart;
        const std::pair<qint64, PowerState> samples[] = {
            {0, PowerState::OnLine},      {60, PowerState::OnLine},      {95, PowerState::OnBattery},
            {120, PowerState::OnBattery}, {130, PowerState::LowBattery}, {150, PowerState::NoAnswer},
            {170, PowerState::OnBattery}, {180, PowerState::OnBattery},  {200, PowerState::OnLine},
            {260, PowerState::OnBattery}};
        int charge = 100;
        for (const auto& [at, state] : samples)
            QVERIFY(store.append({t + at, {state, charge -= 5, {}, {}, {}}}, 0));
        using Stretch = QPair<qint64, qint64>;
        const auto ms = [t](qint64 from, qint64 to) { return Stretch{(t + from) * 1000, (t + to) * 1000}; };

        HistorySeries fine = historySeries(store, t, t + 3600, 720); // 5 s slices
        QCOMPARE(fine.samples, 10);
        QCOMPARE(fine.failures, (QList<Stretch>{ms(95, 150), ms(170, 200), ms(260, 261)}));
        QCOMPARE(fine.line(HistoryLine::Charge).size(), 10);
        QVERIFY(fine.line(HistoryLine::Runtime).isEmpty());

        HistorySeries coarse = historySeries(store, t, t + 3600, 1); // one slice
        QCOMPARE(coarse.failures, (QList<Stretch>{ms(95, 260)}));    // still failed at the last sample
        QCOMPARE(coarse.line(HistoryLine::Charge),
                 (QList<QPointF>{{double(t * 1000), 50}, {double((t + 260) * 1000), 95}}));

        // The monitor stopped while on battery and started again 16 minutes later: the charge
        // line is drawn in two pieces, and only what was seen is shaded.
        QVERIFY(store.append({t + 1260, {PowerState::OnLine, 40, {}, {}, {}}}, 0));
        const HistorySeries gapped = historySeries(store, t, t + 3600, 720);
        QCOMPARE(gapped.pieces(HistoryLine::Charge).size(), 2);
        QCOMPARE(gapped.pieces(HistoryLine::Charge).last(),
                 (QList<QPointF>{{double((t + 1260) * 1000), 40}}));
        QCOMPARE(gapped.failures.last(), ms(260, 320));
    }
};

QTEST_GUILESS_MAIN(TestHistorySampler)
#include "history_sampler_test.moc"
