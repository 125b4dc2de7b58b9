// A blocking call run on a thread of its own, with a deadline kept on the caller's thread.
// The caller's window never waits: the result, or the news that the deadline passed first,
// comes back through the caller's event loop.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace brightlock {

// Runs `call` on a new thread and hands its result to `done` on the thread of `context`, or
// nullopt once `limitMs` has passed without one. `done` runs at most once, and never after
// `context` is gone. A call that outlives its limit is left to end by itself; its result is
// dropped and nothing waits for it, not even the program's exit.
template <typename Result>
void boundedCall(QObject* context, int limitMs, std::function<Result()> call,
                 std::function<void(std::optional<Result>)> done) {
    struct Shared {
        std::mutex mutex;
        QObject* context = nullptr; // cleared when the context goes
        bool settled = false;
        std::function<void(std::optional<Result>)> done;
    };
    auto shared = std::make_shared<Shared>();
    shared->context = context;
    shared->done = std::move(done);
    // On the context's thread only.
    auto settle = [shared](std::optional<Result> result) {
        std::function<void(std::optional<Result>)> finish;
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->settled)
                return;
            shared->settled = true;
            finish = std::move(shared->done);
        }
        finish(std::move(result));
    };
    QObject::connect(context, &QObject::destroyed, [shared] {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->context = nullptr;
    });
    QTimer::singleShot(limitMs, context, [settle] { settle(std::nullopt); });
    std::thread([shared, settle, call = std::move(call)] {
        Result result = call();
        std::lock_guard<std::mutex> lock(shared->mutex);
        if (shared->context && !shared->settled)
            QMetaObject::invokeMethod(
                shared->context, [settle, result] { settle(result); }, Qt::QueuedConnection);
    }).detach();
}

} // namespace brightlock
