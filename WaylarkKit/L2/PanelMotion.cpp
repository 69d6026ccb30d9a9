#include "WaylarkKit/L2/PanelMotion.h"

#include <array>

namespace WaylarkKit::PanelMotion {

// The moves are smooth curves through their values; an ease in and out on
// every move comes closest with our tracks: it rests for an instant at each
// turning point, where the curve turns anyway.

KeyframeTrack stripBlink(double begin) {
    KeyframeTrack track;
    track.property = AnimatedProperty::opacity;
    track.values = {stripRestingOpacity, 0.3, 1.0, 0.3, 1.0, 0.3, stripRestingOpacity};
    for (std::size_t k = 0; k < track.values.size(); ++k) track.times.push_back(static_cast<double>(k) / 6);
    track.duration = 3.6;
    track.ease = Ease::easeInOut;
    track.begin = begin;
    track.repeatCount = 1;
    track.holdsAfterEnd = true;
    return track;
}

KeyframeTrack stripBreathing(double begin) {
    KeyframeTrack track;
    track.property = AnimatedProperty::opacity;
    track.times = {0, 1};
    track.values = {1.0, 0.4};
    track.duration = 1.1;
    track.ease = Ease::easeInOut;
    track.begin = begin;
    track.autoreverses = true;
    return track;
}

KeyframeTrack headShake(TabSwipeDirection direction, double begin) {
    const double s = direction == TabSwipeDirection::next ? -1 : 1;
    constexpr std::array<double, 5> moves = {0.09, 0.1, 0.09, 0.08, 0.08};
    constexpr double total = 0.44;
    KeyframeTrack track;
    track.property = AnimatedProperty::translationX;
    track.values = {0, 10 * s, -7 * s, 4 * s, -2 * s, 0};
    double at = 0;
    track.times.push_back(0);
    for (const double move : moves) {
        at += move;
        track.times.push_back(at / total);
    }
    track.times.back() = 1;
    track.duration = total;
    track.ease = Ease::easeInOut;
    track.begin = begin;
    track.repeatCount = 1;
    track.holdsAfterEnd = true;
    return track;
}

}  // namespace WaylarkKit::PanelMotion
