#pragma once

#include <functional>

#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/FrameClock.h"

namespace WaylarkKit {

// A clickable compact item grows to 1.1 times its size while the pointer is
// over it: each change of hover eases out over 0.15 s from wherever the scale
// stands, calling `changed` on every frame and asking for none once settled.
class HoverMagnification {
public:
    static constexpr double magnified = 1.1;
    static constexpr double duration = 0.15;

    HoverMagnification(Base::Scheduler& scheduler, std::function<void()> changed);
    HoverMagnification(const HoverMagnification&) = delete;
    HoverMagnification& operator=(const HoverMagnification&) = delete;

    void setHovered(bool hovered);
    double scale() const { return scale_; }
    bool isAnimating() const { return task_.isScheduled(); }

private:
    bool frame(double now);

    FrameClock clock_;
    std::function<void()> changed_;
    double from_ = 1;
    double to_ = 1;
    double start_ = 0;
    double scale_ = 1;
    Base::TaskHandle task_;
};

}  // namespace WaylarkKit
