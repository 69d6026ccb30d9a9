#pragma once

#include <functional>
#include <optional>

#include "Base/Scheduler.h"

namespace WaylarkKit {

// Drives animations frame by frame on the injected scheduler, and only while
// something animates: each animation runs until its frame callback says it has
// settled or its handle is dropped, so an idle island schedules nothing.
class FrameClock {
public:
    // Called with the steady time in seconds; returns true while it still animates.
    using Frame = std::function<bool(double steadyTime)>;
    // Called with the steady time in seconds; returns the seconds until the
    // next frame, or nothing once settled.
    using PacedFrame = std::function<std::optional<double>(double steadyTime)>;

    // The rate of the moves that loop all day (breathing, pulsing): sharing one
    // rate, they share every frame, and each frame repaints the island once.
    static constexpr double loopFramesPerSecond = 6;

    explicit FrameClock(Base::Scheduler& scheduler) : scheduler_(scheduler) {}

    // Calls `frame` at once and then `framesPerSecond` times a second. Slow
    // looping moves ask for fewer frames: the frame rate is the cost.
    [[nodiscard]] Base::TaskHandle run(Frame frame, double framesPerSecond = 60);
    // Calls `frame` at once and then after each delay it asks for, so one
    // animation can slow down or speed up as its moves need (delays are kept
    // between 1/120 s and 1 s).
    [[nodiscard]] Base::TaskHandle runPaced(PacedFrame frame);
    // Runs `task` with the next frame of whatever animates on this scheduler,
    // so a change it draws (a countdown's tick) shares that frame instead of
    // costing one of its own; at once, with an empty handle, when nothing
    // animates or the next frame is more than `longestWait` seconds away.
    [[nodiscard]] Base::TaskHandle withNextFrame(std::function<void()> task, double longestWait = 0.25);

    double now() const { return scheduler_.steadyNow(); }
    Base::Scheduler& scheduler() const { return scheduler_; }

private:
    Base::Scheduler& scheduler_;
};

}  // namespace WaylarkKit
