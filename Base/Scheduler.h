#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "Base/Date.h"

namespace Base {

// Ownership of one scheduled task. Dropping the handle cancels the task, so a
// task can never run after the object that scheduled it is gone; `detach()`
// lets a task run without an owner.
class TaskHandle {
public:
    TaskHandle() = default;
    explicit TaskHandle(std::shared_ptr<std::atomic<bool>> cancelled) : cancelled_(std::move(cancelled)) {}
    TaskHandle(TaskHandle&&) noexcept = default;
    TaskHandle& operator=(TaskHandle&& other) noexcept {
        if (this != &other) {
            cancel();
            cancelled_ = std::move(other.cancelled_);
        }
        return *this;
    }
    TaskHandle(const TaskHandle&) = delete;
    TaskHandle& operator=(const TaskHandle&) = delete;
    ~TaskHandle() { cancel(); }

    void cancel() {
        if (cancelled_) cancelled_->store(true);
        cancelled_.reset();
    }
    void detach() { cancelled_.reset(); }
    bool isScheduled() const { return cancelled_ && !cancelled_->load(); }

private:
    std::shared_ptr<std::atomic<bool>> cancelled_;
};

// The source of the current wall-clock time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;
};

class SystemClock final : public Clock {
public:
    Date now() const override { return Date::now(); }
};

// Runs tasks on the main thread: timers, debounced saves and results handed
// back from worker threads. Delays are measured on a monotonic clock, so a
// wall clock that jumps does not move them.
class Scheduler : public Clock {
public:
    using Task = std::function<void()>;

    // Runs `task` on the main thread once, `delaySeconds` from now.
    TaskHandle schedule(double delaySeconds, Task task);
    // Runs `task` every `intervalSeconds`, first after one interval.
    TaskHandle repeat(double intervalSeconds, Task task);
    // Hands `task` to the main thread; safe to call from any thread.
    TaskHandle post(Task task) { return schedule(0, std::move(task)); }

    // Seconds on the clock that delays run on: it never jumps when the user
    // sets the wall clock, so durations (holds, animations) are measured on it.
    virtual double steadyNow() const;

protected:
    // Queues `task` to run `delaySeconds` from now unless `cancelled` is set
    // by then. Must be safe to call from any thread.
    virtual void enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) = 0;
};

}  // namespace Base
