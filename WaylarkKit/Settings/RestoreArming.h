#pragma once

#include <functional>
#include <string>

#include "Base/Observable.h"
#include "Base/Scheduler.h"

namespace WaylarkKit {

// The two-click "Restore defaults" of an editor: the first click arms it for
// four seconds, a second click within that time confirms. Arming lapses on the
// injected scheduler, so the wait is monotonic and tests move it by hand.
class RestoreArming {
public:
    static constexpr double armedSeconds = 4;

    explicit RestoreArming(Base::Scheduler& scheduler) : scheduler_(scheduler) {}
    RestoreArming(const RestoreArming&) = delete;
    RestoreArming& operator=(const RestoreArming&) = delete;

    bool isArmed() const { return armed_.get(); }
    [[nodiscard]] Base::Subscription observe(std::function<void()> observer) {
        return armed_.observe(std::move(observer));
    }

    // One click: true when it confirms an armed restore (the caller restores),
    // false when it only arms.
    bool request();
    // Cancels the pending lapse and un-arms; harmless when not armed.
    void disarm();

    // The button's text in each state.
    static std::string label(bool armed);

private:
    Base::Scheduler& scheduler_;
    Base::Observable<bool> armed_{false};
    // Last, so it is cancelled before anything it touches goes away.
    Base::TaskHandle lapse_;
};

}  // namespace WaylarkKit
