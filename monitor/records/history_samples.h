// The battery history: samples of the UPS's state and readings in table History of
// EventRecord.mdb, beside the event tables and apart from them. A sample's time is whole
// seconds since the epoch (UTC); a reading the UPS does not report is stored as NULL.
#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace brightlock {

class RecordFile;

enum class PowerState { OnLine, OnBattery, LowBattery, NoAnswer };

// "online", "onbattery", "lowbattery", "noanswer": the words stored and exported.
QString powerStateName(PowerState state);
std::optional<PowerState> powerStateFromName(const QString& name);

// What the UPS said at one poll.
struct PowerReading {
    PowerState state = PowerState::NoAnswer;
    std::optional<int> chargePercent;
    std::optional<qint64> runtimeSeconds;
    std::optional<int> loadPercent;
    std::optional<double> inputVoltage;
};

struct HistorySample {
    qint64 time = 0; // seconds since the epoch
    PowerReading reading;
};

class HistoryStore {
public:
    static QString tableName() { return QStringLiteral("History"); }

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // Opens (creating when missing) EventRecord.mdb in `dir` and its History table, for the
    // monitor. Empty on success, else why the history cannot be kept.
    QString open(const QString& dir);
    // Opens an existing record file to read only, beside a monitor that may be writing it;
    // creates nothing. Empty on success, else why it cannot be read.
    QString openToRead(const QString& path);
    bool isOpen() const { return open_; }

    // Adds a sample and deletes the samples older than `keepFrom`, in one transaction.
    bool append(const HistorySample& sample, qint64 keepFrom);
    // The samples with from <= time < to, oldest first. Calls `each` for every sample
    // instead of building a list when given.
    QVector<HistorySample> read(qint64 from, qint64 to) const;
    // False when the table could not be read.
    bool forEach(qint64 from, qint64 to, const std::function<void(const HistorySample&)>& each) const;
    // How many samples the table holds; -1 when it cannot be counted.
    int count() const;

    // The samples with from <= time < to summed up in slices of `sliceSeconds` from `from`,
    // by the database itself: a month of samples reaches a chart as a few hundred slices.
    struct Slice {
        qint64 first = 0, last = 0; // times of the slice's first and last sample
        int samples = 0;
        // Per reading (charge, runtime in seconds, load, voltage): lowest and highest.
        std::array<std::optional<double>, 4> low, high;
        // Times of the first and last sample on battery (or battery low), and of the first
        // and last sample in any other state.
        std::optional<qint64> firstFailed, lastFailed, firstOther, lastOther;
    };
    bool forEachSlice(qint64 from, qint64 to, qint64 sliceSeconds,
                      const std::function<void(const Slice&)>& each) const;

private:
    QString attach(bool create);

    std::unique_ptr<RecordFile> file_;
    QString connection_;
    bool open_ = false;
    bool hasTable_ = true; // a file opened to read may hold no history yet
};

} // namespace brightlock
