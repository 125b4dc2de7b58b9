// The deadline worker; see deadline_worker.h.
#include "deadline_worker.h"

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace psu {

struct DeadlineWorker::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::function<void()> task;
    bool running = false; // a task is queued or running
    bool stop = false;
    std::thread thread;
};

void DeadlineWorker::loop(std::shared_ptr<Shared> s) {
    // libupsclient writes to its socket with write(): a server that has gone away would
    // raise SIGPIPE and end the monitor. Blocked here, the write fails with EPIPE instead.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);

    std::unique_lock<std::mutex> lock(s->mutex);
    for (;;) {
        s->wake.wait(lock, [&] { return s->stop || s->task; });
        if (!s->task)
            return;
        std::function<void()> task = std::move(s->task);
        s->task = nullptr;
        lock.unlock();
        try {
            task();
        } catch (...) {
        }
        task = nullptr; // release what the task owns before reporting it done
        lock.lock();
        s->running = false;
        s->wake.notify_all();
        if (s->stop)
            return;
    }
}

DeadlineWorker::DeadlineWorker() : shared_(std::make_shared<Shared>()) {}

DeadlineWorker::~DeadlineWorker() {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->wake.notify_all();
    if (!shared_->thread.joinable())
        return;
    if (shared_->running) {
        // A late task still runs: it owns its state, so let it end on its own.
        shared_->thread.detach();
        return;
    }
    lock.unlock();
    shared_->thread.join();
}

bool DeadlineWorker::run(std::function<void()> task, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (shared_->running)
        return false;
    if (!shared_->thread.joinable())
        shared_->thread = std::thread(loop, shared_);
    shared_->task = std::move(task);
    shared_->running = true;
    shared_->wake.notify_all();
    return shared_->wake.wait_for(lock, timeout, [&] { return !shared_->running; });
}

bool DeadlineWorker::busy() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->running;
}

bool DeadlineWorker::waitIdle(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->wake.wait_for(lock, timeout, [&] { return !shared_->running; });
}

} // namespace psu
