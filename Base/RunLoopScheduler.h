#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "Base/Scheduler.h"

namespace Base {

// A real scheduler without a windowing toolkit: the thread that calls `run`
// is the main thread. Delays run on the monotonic clock.
class RunLoopScheduler final : public Scheduler {
public:
    Date now() const override { return Date::now(); }

    // Runs tasks until `stop()` is called.
    void run();
    // Runs tasks until `done()` holds or the timeout passes; true when done.
    bool runUntil(const std::function<bool()>& done, double timeoutSeconds);
    void stop();

protected:
    void enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) override;

private:
    using TimePoint = std::chrono::steady_clock::time_point;
    struct Entry {
        TimePoint due;
        std::size_t order;
        Task task;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    // Waits until the next task is due or `deadline`, and runs it.
    void runOne(TimePoint deadline);

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> queue_;
    std::size_t nextOrder_ = 0;
    bool stopped_ = false;
};

}  // namespace Base
