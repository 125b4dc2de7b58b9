// Runs blocking device and network calls on a thread of their own, so that the monitor's
// window thread, which calls libPSU.so, never waits longer than a deadline. A kernel
// control transfer or a silent server can hold a call for seconds; the caller then gets
// "no answer" at the deadline while the late call finishes in the background.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace psu {

class DeadlineWorker {
public:
    DeadlineWorker();
    ~DeadlineWorker();
    DeadlineWorker(const DeadlineWorker&) = delete;
    DeadlineWorker& operator=(const DeadlineWorker&) = delete;

    // Runs `task` on the worker thread and waits for it at most `timeout`. True when it
    // finished in time. A task that misses its deadline keeps running, so it must own
    // (through shared pointers) everything it touches; until it ends, run() refuses new
    // tasks and returns false at once.
    bool run(std::function<void()> task, std::chrono::milliseconds timeout);

    // Runs `call` as run() does and hands back what it returned; nullopt when it missed
    // its deadline (or a late task still runs). The result lives in a shared slot, so a
    // late call writes it safely after the caller has given up.
    template <typename Call>
    std::optional<std::invoke_result_t<Call&>> call(Call call, std::chrono::milliseconds timeout) {
        auto result = std::make_shared<std::optional<std::invoke_result_t<Call&>>>();
        if (!run([call = std::move(call), result]() mutable { result->emplace(call()); }, timeout))
            return std::nullopt;
        return std::move(*result);
    }

    // Whether a task that missed its deadline is still running.
    bool busy() const;

    // Waits at most `timeout` for a late task to end; true when none runs (any more).
    bool waitIdle(std::chrono::milliseconds timeout);

private:
    struct Shared;
    static void loop(std::shared_ptr<Shared> shared);
    std::shared_ptr<Shared> shared_;
};

} // namespace psu
