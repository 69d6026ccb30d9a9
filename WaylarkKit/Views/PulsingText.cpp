#include "WaylarkKit/Views/PulsingText.h"

namespace WaylarkKit::PulsingText {

KeyframeTrack pulse(double begin) {
    KeyframeTrack track;
    track.property = AnimatedProperty::opacity;
    track.times = {0, 1};
    track.values = {1.0, lowOpacity};
    track.duration = halfPeriod;
    track.ease = Ease::easeInOut;
    track.begin = begin;
    track.autoreverses = true;
    return track;
}

}  // namespace WaylarkKit::PulsingText
