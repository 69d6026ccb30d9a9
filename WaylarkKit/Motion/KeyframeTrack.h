#pragma once

#include <limits>
#include <optional>
#include <vector>

#include "WaylarkKit/Motion/TimingCurve.h"

namespace WaylarkKit {

// What a track animates on its node. Translations are in the parent's units,
// rotations in radians, scales and opacity are factors; `scale` sets both axes.
// `tintMix` blends the node's fill towards its mix colour (0 none, 1 all).
enum class AnimatedProperty { opacity, translationX, translationY, scale, scaleX, scaleY, rotation, tintMix };

// One keyframe animation. Key times are fractions of `duration`, ascending
// from 0 to 1, one per value; each segment between neighbouring keys runs on
// `ease`. The first cycle begins at `begin` (an absolute time on the media
// clock); before it the track holds its first value.
struct KeyframeTrack {
    static constexpr double forever = std::numeric_limits<double>::infinity();

    AnimatedProperty property = AnimatedProperty::opacity;
    std::vector<double> times;
    std::vector<double> values;
    double duration = 1;
    Ease ease = Ease::linear;
    double begin = 0;
    double repeatCount = forever;
    // Plays each cycle forward and then backward, doubling its length.
    bool autoreverses = false;
    // After the last cycle: hold the last value, or (false) stop taking effect,
    // so the node shows its own value again.
    bool holdsAfterEnd = false;

    // The value at `time`, or nothing when the track has no effect then.
    std::optional<double> sample(double time) const;
    // When the track stops changing: infinity for a track that repeats forever.
    double settlesAt() const;
    // How long the segment under way at `time` takes to play, in seconds:
    // infinity while the track holds a value or has no effect.
    double moveSecondsAt(double time) const;

private:
    // Where `time` falls in a cycle, as a fraction of `duration`; nothing
    // when the track has no effect then.
    std::optional<double> progressAt(double time) const;
};

}  // namespace WaylarkKit
