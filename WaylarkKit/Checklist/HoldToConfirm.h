#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/FrameClock.h"

namespace WaylarkKit {

// Press-and-hold confirmation: a hold that lasts `duration` seconds calls
// `onComplete` once. Views draw `progress` (0 to 1) and `isHolding`. Every
// instant is a reading of the scheduler's steady clock, so setting the wall
// clock during a hold neither fires it early nor stalls it. Main thread only.
class HoldToConfirm {
public:
    // How long `progress` stays full after a completed hold.
    static constexpr double resetDelay = 0.35;
    // The ticker's period while a hold runs (about 30 updates a second).
    static constexpr double tickInterval = 0.033;

    HoldToConfirm(double duration, Base::Scheduler& scheduler);
    ~HoldToConfirm();
    HoldToConfirm(const HoldToConfirm&) = delete;
    HoldToConfirm& operator=(const HoldToConfirm&) = delete;

    double duration() const { return duration_; }
    double progress() const { return progress_.get(); }
    bool isHolding() const { return isHolding_.get(); }
    std::optional<double> startedAt() const { return startedAt_; }
    [[nodiscard]] Base::Subscription observeProgress(std::function<void()> observer);
    [[nodiscard]] Base::Subscription observeIsHolding(std::function<void()> observer);

    // Called once per completed hold; set by the owner.
    void setOnComplete(std::function<void()> onComplete) { onComplete_ = std::move(onComplete); }

    // The steady clock that `begin` and `update` take their instants from.
    double now() const { return scheduler_.steadyNow(); }

    // Starts a hold at `at`, unless one runs already (it keeps its start).
    // With `autoTick` the model advances itself on the frame clock; without,
    // only `update` moves it.
    void begin(double at, bool autoTick);
    // Recomputes `progress` for `at` from the elapsed time (so late ticks never
    // lengthen the hold) and completes the hold once it is full.
    void update(double at);
    // Abandons a running hold: `progress` drops to 0. Does nothing otherwise.
    void cancel();

private:
    void complete();
    void stopHolding();

    double duration_;
    Base::Scheduler& scheduler_;
    FrameClock frames_;
    Base::Observable<double> progress_{0.0};
    Base::Observable<bool> isHolding_{false};
    std::optional<double> startedAt_;
    std::function<void()> onComplete_;
    Base::TaskHandle ticker_;
    // The delayed resets see the model through this; dropping it skips them.
    std::shared_ptr<HoldToConfirm*> self_;
};

}  // namespace WaylarkKit
