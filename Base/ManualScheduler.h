#pragma once

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

#include "Base/Scheduler.h"

namespace Base {

// A scheduler on a hand-moved clock, for tests: nothing runs until the test
// advances time or drains the queue, and no test ever sleeps.
class ManualScheduler final : public Scheduler {
public:
    explicit ManualScheduler(Date start = Date(1'772'000'000.0)) : now_(start) {}

    Date now() const override;
    double steadyNow() const override;
    // Moves the wall clock only (as when the user sets the system time);
    // pending delays are measured on the monotonic clock and do not move.
    void setNow(Date date);

    // Advances both clocks, running every task that falls due, in time order.
    void advance(double seconds);
    // Runs what is due now, including tasks posted from other threads.
    void runPending();
    // Blocks (in real time) until a task is due now or the timeout passes.
    bool waitForDue(double timeoutSeconds);
    std::size_t pendingCount() const;

protected:
    void enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) override;

private:
    struct Entry {
        double due;
        std::size_t order;
        Task task;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };
    bool runOneDue(double until);

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> queue_;
    Date now_;
    double monotonic_ = 0;
    std::size_t nextOrder_ = 0;
};

}  // namespace Base
