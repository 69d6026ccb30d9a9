#include "Base/RunLoopScheduler.h"

#include <algorithm>

namespace Base {

void RunLoopScheduler::enqueue(double delaySeconds, Task task,
                               std::shared_ptr<std::atomic<bool>> cancelled) {
    const auto delay = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(std::max(0.0, delaySeconds)));
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(Entry{std::chrono::steady_clock::now() + delay, nextOrder_++,
                               std::move(task), std::move(cancelled)});
    }
    changed_.notify_all();
}

void RunLoopScheduler::runOne(TimePoint deadline) {
    Entry entry;
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (stopped_) return;
            const auto best = std::min_element(queue_.begin(), queue_.end(), [](const Entry& a, const Entry& b) {
                return a.due < b.due || (a.due == b.due && a.order < b.order);
            });
            const auto now = std::chrono::steady_clock::now();
            if (best != queue_.end() && best->due <= now) {
                entry = std::move(*best);
                queue_.erase(best);
                break;
            }
            if (now >= deadline) return;
            const TimePoint wake = best == queue_.end() ? deadline : std::min(deadline, best->due);
            changed_.wait_until(lock, wake);
        }
    }
    if (!entry.cancelled->load()) entry.task();
}

void RunLoopScheduler::run() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = false;
    }
    for (;;) {
        runOne(TimePoint::max());
        std::lock_guard lock(mutex_);
        if (stopped_) return;
    }
}

bool RunLoopScheduler::runUntil(const std::function<bool()>& done, double timeoutSeconds) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(timeoutSeconds));
    {
        std::lock_guard lock(mutex_);
        stopped_ = false;
    }
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        runOne(std::min(deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(50)));
    }
    return true;
}

void RunLoopScheduler::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

}  // namespace Base
