#include "WaylarkKit/Motion/FrameClock.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace WaylarkKit {

namespace {

double keptDelay(double seconds) { return std::clamp(seconds, 1.0 / 120.0, 1.0); }

struct Animation {
    Base::Scheduler* scheduler;
    FrameClock::PacedFrame frame;
    std::shared_ptr<std::atomic<bool>> dropped;

    // Each frame queues the next, so a settled animation leaves nothing queued.
    static void next(const std::shared_ptr<Animation>& self, double delay) {
        self->scheduler->schedule(delay, [self] {
            if (self->dropped->load()) return;
            if (const auto following = self->frame(self->scheduler->steadyNow())) {
                next(self, keptDelay(*following));
            } else {
                self->dropped->store(true);
            }
        }).detach();
    }
};

}  // namespace

Base::TaskHandle FrameClock::run(Frame frame, double framesPerSecond) {
    const double interval = 1.0 / std::clamp(framesPerSecond, 1.0, 120.0);
    return runPaced([frame = std::move(frame), interval](double time) -> std::optional<double> {
        if (frame(time)) return interval;
        return std::nullopt;
    });
}

Base::TaskHandle FrameClock::runPaced(PacedFrame frame) {
    const auto first = frame(now());
    if (!first) return {};
    auto dropped = std::make_shared<std::atomic<bool>>(false);
    auto animation = std::make_shared<Animation>(Animation{&scheduler_, std::move(frame), dropped});
    Animation::next(animation, keptDelay(*first));
    return Base::TaskHandle(std::move(dropped));
}

}  // namespace WaylarkKit
