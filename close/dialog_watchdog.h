// A time limit on each question to the accessibility bus. libatspi bounds every bus call, but
// a program's answer that arrives while the library is already dispatching one can leave it
// waiting for good; the run must end all the same. When one call to the dialog reader has
// not returned within kLimitMs, `expired` runs on the watchdog's own thread (it writes the
// hand-over flags and ends the process).
#pragma once

#include "dialog_reader.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace brightlock {

class DialogWatchdog : public DialogReader {
public:
    static constexpr int kLimitMs = 30000;

    DialogWatchdog(DialogReader& reader, std::function<void()> expired, int limitMs = kLimitMs);
    ~DialogWatchdog() override;

    DialogKind read(const DialogRef& dialog) override;
    bool pressSave(const DialogRef& dialog) override;
    bool fillFileName(const DialogRef& dialog, const QString& path) override;
    bool keepFormat(const DialogRef& dialog) override;

private:
    template <typename Call> auto guarded(Call call) {
        struct Disarm {
            DialogWatchdog& w;
            ~Disarm() { w.arm(false); }
        } disarm{*this};
        arm(true);
        return call();
    }
    void arm(bool on);
    void watch();

    DialogReader& reader_;
    std::function<void()> expired_;
    const std::chrono::milliseconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool armed_ = false;
    bool stopping_ = false;
    std::chrono::steady_clock::time_point deadline_;
    std::thread thread_;
};

} // namespace brightlock
