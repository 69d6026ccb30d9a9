#include "WaylarkKit/Motion/FrameClock.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <vector>

namespace WaylarkKit {

namespace {

double keptDelay(double seconds) { return std::clamp(seconds, 1.0 / 120.0, 1.0); }

// A frame asked for this far ahead belongs to a slow move, which may be drawn
// a little early.
constexpr double slowDelay = 1.0 / 20;

struct Animation {
    FrameClock::PacedFrame frame;
    std::shared_ptr<std::atomic<bool>> dropped;
    double due = 0;
    double early = 0;  // how much before `due` the frame may run
};

// Every animation on one scheduler runs off one timer, and a frame that runs
// takes along each slow frame due within half its interval. A repaint costs
// about the same whatever it draws, so a mascot and a pulsing label beside it
// then paint together instead of in turn. A frame taken early keeps its
// cadence: the one after it is due an interval after its own time.
class Frames final : public std::enable_shared_from_this<Frames> {
public:
    explicit Frames(Base::Scheduler& scheduler) : scheduler_(scheduler) {}

    static std::shared_ptr<Frames> of(Base::Scheduler& scheduler) {
        static std::map<Base::Scheduler*, std::weak_ptr<Frames>> all;
        std::erase_if(all, [](const auto& entry) { return entry.second.expired(); });
        auto& slot = all[&scheduler];
        auto frames = slot.lock();
        if (!frames) slot = frames = std::make_shared<Frames>(scheduler);
        return frames;
    }

    void add(const std::shared_ptr<Animation>& animation, double from, double delay) {
        enqueue(animation, from, delay);
        arm();
    }

    // Adds a one-off `animation` to the next frame when one is due within
    // `longestWait` seconds; returns whether it did.
    bool join(const std::shared_ptr<Animation>& animation, double longestWait) {
        std::erase_if(animations_, [](const auto& a) { return a->dropped->load(); });
        if (animations_.empty() || !timer_.isScheduled()) return false;
        if (armedAt_ - scheduler_.steadyNow() > longestWait) return false;
        animation->due = armedAt_;
        animation->early = 0;
        animations_.push_back(animation);
        return true;
    }

private:
    void enqueue(const std::shared_ptr<Animation>& animation, double from, double delay) {
        animation->due = from + delay;
        animation->early = delay >= slowDelay ? delay / 2 : 0;
        animations_.push_back(animation);
    }

    void arm() {
        std::erase_if(animations_, [](const auto& a) { return a->dropped->load(); });
        if (animations_.empty()) {
            timer_.cancel();
            return;
        }
        const double next =
            (*std::min_element(animations_.begin(), animations_.end(), [](const auto& a, const auto& b) {
                return a->due < b->due;
            }))->due;
        if (timer_.isScheduled() && armedAt_ <= next) return;
        armedAt_ = next;
        // The timer holds the group, and the group its animations, until none is left.
        timer_ = scheduler_.schedule(std::max(0.0, next - scheduler_.steadyNow()),
                                     [self = shared_from_this()] { self->fire(); });
    }

    void fire() {
        const double now = scheduler_.steadyNow();
        std::vector<std::shared_ptr<Animation>> running;
        std::erase_if(animations_, [&](const std::shared_ptr<Animation>& a) {
            if (a->dropped->load() || a->due - a->early > now) return false;
            running.push_back(a);
            return true;
        });
        // Dropped ones are tidied by arm(); the frames below may add or drop animations.
        auto self = shared_from_this();
        timer_.detach();
        for (const auto& animation : running) {
            if (animation->dropped->load()) continue;
            if (const auto following = animation->frame(now)) {
                // One arm() below times the next frame for all of them.
                enqueue(animation, std::max(now, animation->due), keptDelay(*following));
            } else {
                animation->dropped->store(true);
            }
        }
        arm();
    }

    Base::Scheduler& scheduler_;
    std::vector<std::shared_ptr<Animation>> animations_;
    Base::TaskHandle timer_;
    double armedAt_ = 0;
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
    const double start = now();
    const auto first = frame(start);
    if (!first) return {};
    auto dropped = std::make_shared<std::atomic<bool>>(false);
    auto animation = std::make_shared<Animation>(Animation{std::move(frame), dropped});
    Frames::of(scheduler_)->add(animation, start, keptDelay(*first));
    return Base::TaskHandle(std::move(dropped));
}

Base::TaskHandle FrameClock::withNextFrame(std::function<void()> task, double longestWait) {
    auto dropped = std::make_shared<std::atomic<bool>>(false);
    auto animation = std::make_shared<Animation>(Animation{[task](double) -> std::optional<double> {
                                                               task();
                                                               return std::nullopt;
                                                           },
                                                           dropped});
    if (!Frames::of(scheduler_)->join(animation, longestWait)) {
        task();
        return {};
    }
    return Base::TaskHandle(std::move(dropped));
}

}  // namespace WaylarkKit
