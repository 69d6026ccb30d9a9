#include "WaylarkKit/Views/HoverMagnification.h"

#include "WaylarkKit/Motion/TimingCurve.h"

namespace WaylarkKit {

HoverMagnification::HoverMagnification(Base::Scheduler& scheduler, std::function<void()> changed)
    : clock_(scheduler), changed_(std::move(changed)) {}

void HoverMagnification::setHovered(bool hovered) {
    const double target = hovered ? magnified : 1.0;
    if (target == to_) return;
    from_ = scale_;
    to_ = target;
    start_ = clock_.now();
    task_ = clock_.run([this](double now) { return frame(now); });
}

bool HoverMagnification::frame(double now) {
    const double progress = (now - start_) / duration;
    const bool settled = progress >= 1;
    const double next = settled ? to_ : from_ + (to_ - from_) * eased(Ease::easeOut, progress);
    if (next != scale_) {
        scale_ = next;
        if (changed_) changed_();
    }
    return !settled;
}

}  // namespace WaylarkKit
