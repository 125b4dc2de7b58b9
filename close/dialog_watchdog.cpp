// The dialog reader's time limit; see dialog_watchdog.h.
#include "dialog_watchdog.h"

namespace brightlock {

DialogWatchdog::DialogWatchdog(DialogReader& reader, std::function<void()> expired, int limitMs)
    : reader_(reader), expired_(std::move(expired)), limit_(limitMs), thread_([this] { watch(); }) {}

DialogWatchdog::~DialogWatchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

DialogKind DialogWatchdog::read(const DialogRef& dialog) {
    return guarded([&] { return reader_.read(dialog); });
}
bool DialogWatchdog::pressSave(const DialogRef& dialog) {
    return guarded([&] { return reader_.pressSave(dialog); });
}
bool DialogWatchdog::fillFileName(const DialogRef& dialog, const QString& path) {
    return guarded([&] { return reader_.fillFileName(dialog, path); });
}
bool DialogWatchdog::keepFormat(const DialogRef& dialog) {
    return guarded([&] { return reader_.keepFormat(dialog); });
}

void DialogWatchdog::arm(bool on) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = on;
        deadline_ = std::chrono::steady_clock::now() + limit_;
    }
    changed_.notify_all();
}

void DialogWatchdog::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (!armed_) {
            changed_.wait(lock);
            continue;
        }
        const auto deadline = deadline_;
        if (changed_.wait_until(lock, deadline) == std::cv_status::timeout && armed_ &&
            deadline_ == deadline && !stopping_) {
            armed_ = false;
            lock.unlock();
            expired_();
            lock.lock();
        }
    }
}

} // namespace brightlock
