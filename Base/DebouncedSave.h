#pragma once

#include <functional>

#include "Base/Observable.h"
#include "Base/Result.h"
#include "Base/Scheduler.h"

namespace Base {

// Saves once per burst of changes: each request cancels the pending save and
// schedules one `delay` seconds later; a delay of zero or less saves at once.
// The pending task belongs to this object, so it never runs after its owner
// is gone. Main thread only.
class DebouncedSave {
public:
    DebouncedSave(Scheduler& scheduler, double delaySeconds, std::function<Status()> save)
        : scheduler_(scheduler), delay_(delaySeconds), save_(std::move(save)) {}
    DebouncedSave(const DebouncedSave&) = delete;
    DebouncedSave& operator=(const DebouncedSave&) = delete;

    double delay() const { return delay_; }

    void request() {
        pending_.cancel();
        if (delay_ <= 0) {
            saveNow();
            return;
        }
        pending_ = scheduler_.schedule(delay_, [this] { saveNow(); });
    }

    // Saves at once, in place of any pending save.
    void flush() {
        pending_.cancel();
        saveNow();
    }

    // Whether the last save failed; cleared by the next one that succeeds.
    bool lastSaveFailed() const { return lastSaveFailed_.get(); }
    [[nodiscard]] Subscription observeLastSaveFailed(std::function<void()> observer) {
        return lastSaveFailed_.observe(std::move(observer));
    }

private:
    void saveNow() { lastSaveFailed_.set(!save_().ok()); }

    Scheduler& scheduler_;
    double delay_;
    std::function<Status()> save_;
    Observable<bool> lastSaveFailed_{false};
    TaskHandle pending_;
};

}  // namespace Base
