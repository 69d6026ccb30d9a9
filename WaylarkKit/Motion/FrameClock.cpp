#include "WaylarkKit/Motion/FrameClock.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace WaylarkKit {

namespace {

struct Animation {
    Base::Scheduler* scheduler;
    double interval;
    FrameClock::Frame frame;
    std::shared_ptr<std::atomic<bool>> dropped;

    // Each frame queues the next, so a settled animation leaves nothing queued.
    static void next(const std::shared_ptr<Animation>& self) {
        self->scheduler->schedule(self->interval, [self] {
            if (self->dropped->load()) return;
            if (self->frame(self->scheduler->steadyNow())) {
                next(self);
            } else {
                self->dropped->store(true);
            }
        }).detach();
    }
};

}  // namespace

Base::TaskHandle FrameClock::run(Frame frame, double framesPerSecond) {
    if (!frame(now())) return {};
    auto dropped = std::make_shared<std::atomic<bool>>(false);
    auto animation = std::make_shared<Animation>(
        Animation{&scheduler_, 1.0 / std::clamp(framesPerSecond, 1.0, 120.0), std::move(frame), dropped});
    Animation::next(animation);
    return Base::TaskHandle(std::move(dropped));
}

}  // namespace WaylarkKit
