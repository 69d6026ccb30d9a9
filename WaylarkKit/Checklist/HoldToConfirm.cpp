#include "WaylarkKit/Checklist/HoldToConfirm.h"

#include <cmath>

namespace WaylarkKit {

HoldToConfirm::HoldToConfirm(double duration, Base::Scheduler& scheduler)
    : duration_(duration), scheduler_(scheduler), frames_(scheduler),
      self_(std::make_shared<HoldToConfirm*>(this)) {}

HoldToConfirm::~HoldToConfirm() = default;

Base::Subscription HoldToConfirm::observeProgress(std::function<void()> observer) {
    return progress_.observe(std::move(observer));
}

Base::Subscription HoldToConfirm::observeIsHolding(std::function<void()> observer) {
    return isHolding_.observe(std::move(observer));
}

void HoldToConfirm::begin(double at, bool autoTick) {
    if (isHolding_.get()) return;
    startedAt_ = at;
    isHolding_.set(true);
    progress_.set(0);
    if (!autoTick) return;
    // The first frame comes at once; begin has just set progress 0 for this
    // instant, so the ticker starts one period later.
    ticker_ = frames_.run(
        [this, first = true](double steadyTime) mutable {
            if (std::exchange(first, false)) return true;
            update(steadyTime);
            return isHolding_.get();
        },
        1.0 / tickInterval);
}

void HoldToConfirm::update(double at) {
    if (!isHolding_.get() || !startedAt_) return;
    double ratio = (at - *startedAt_) / duration_;
    if (std::isnan(ratio) || ratio < 0) ratio = 0;
    if (ratio > 1) ratio = 1;
    progress_.set(ratio);
    if (progress_.get() >= 1) complete();
}

void HoldToConfirm::cancel() {
    if (!isHolding_.get()) return;
    stopHolding();
    progress_.set(0);
}

void HoldToConfirm::stopHolding() {
    startedAt_.reset();
    ticker_.cancel();
    isHolding_.set(false);
}

void HoldToConfirm::complete() {
    stopHolding();
    if (onComplete_) onComplete_();
    // Not owned by the model's state: a hold begun meanwhile is set back once
    // and restored by its next update, as the confirmer always did.
    scheduler_
        .schedule(resetDelay,
                  [weak = std::weak_ptr<HoldToConfirm*>(self_)] {
                      if (auto self = weak.lock()) (*self)->progress_.set(0);
                  })
        .detach();
}

}  // namespace WaylarkKit
