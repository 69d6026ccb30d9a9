#include "WaylarkKit/App/SuspendClockWatcher.h"

#include <time.h>

namespace WaylarkKit {

namespace {

double seconds(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

SuspendClockWatcher::SuspendClockWatcher(Base::Scheduler& scheduler, std::function<double()> suspendedSeconds)
    : scheduler_(scheduler), suspendedSeconds_(std::move(suspendedSeconds)) {}

double SuspendClockWatcher::systemSuspendedSeconds() { return seconds(CLOCK_BOOTTIME) - seconds(CLOCK_MONOTONIC); }

void SuspendClockWatcher::start(std::function<void()> onWake) {
    onWake_ = std::move(onWake);
    lastSuspended_ = suspendedSeconds_();
    timer_ = scheduler_.repeat(pollInterval, [this] { look(); });
}

void SuspendClockWatcher::stop() {
    timer_.cancel();
    onWake_ = nullptr;
}

void SuspendClockWatcher::look() {
    const double suspended = suspendedSeconds_();
    const bool woke = suspended - lastSuspended_ > wakeThreshold;
    lastSuspended_ = suspended;
    if (woke && onWake_) onWake_();
}

}  // namespace WaylarkKit
