#include "Base/ManualScheduler.h"

#include <algorithm>
#include <chrono>

namespace Base {

double ManualScheduler::steadyNow() const {
    std::lock_guard lock(mutex_);
    return monotonic_;
}

Date ManualScheduler::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void ManualScheduler::setNow(Date date) {
    std::lock_guard lock(mutex_);
    now_ = date;
}

void ManualScheduler::enqueue(double delaySeconds, Task task,
                              std::shared_ptr<std::atomic<bool>> cancelled) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(Entry{monotonic_ + std::max(0.0, delaySeconds), nextOrder_++,
                               std::move(task), std::move(cancelled)});
    }
    changed_.notify_all();
}

bool ManualScheduler::runOneDue(double until) {
    Entry entry;
    {
        std::lock_guard lock(mutex_);
        auto best = queue_.end();
        for (auto it = queue_.begin(); it != queue_.end(); ++it) {
            if (it->due > until) continue;
            if (best == queue_.end() || it->due < best->due ||
                (it->due == best->due && it->order < best->order)) {
                best = it;
            }
        }
        if (best == queue_.end()) return false;
        entry = std::move(*best);
        queue_.erase(best);
        // Time moves to the task's moment before it runs, as it would for real.
        if (entry.due > monotonic_) {
            now_ = now_ + (entry.due - monotonic_);
            monotonic_ = entry.due;
        }
    }
    if (!entry.cancelled->load()) entry.task();
    return true;
}

void ManualScheduler::advance(double seconds) {
    double target = 0;
    {
        std::lock_guard lock(mutex_);
        target = monotonic_ + std::max(0.0, seconds);
    }
    while (runOneDue(target)) {
    }
    std::lock_guard lock(mutex_);
    now_ = now_ + (target - monotonic_);
    monotonic_ = target;
}

void ManualScheduler::runPending() { advance(0); }

bool ManualScheduler::waitForDue(double timeoutSeconds) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::duration<double>(timeoutSeconds), [&] {
        return std::any_of(queue_.begin(), queue_.end(),
                           [&](const Entry& e) { return e.due <= monotonic_; });
    });
}

std::size_t ManualScheduler::pendingCount() const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(queue_.begin(), queue_.end(),
                                                  [](const Entry& e) { return !e.cancelled->load(); }));
}

}  // namespace Base
