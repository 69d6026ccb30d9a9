#pragma once

#include <numbers>
#include <vector>

#include "WaylarkKit/Motion/KeyframeTrack.h"

namespace WaylarkKit {

// One keyframe track of a pose before it is timed: what it animates, its key
// times (fractions of the duration) and one value per key.
struct MascotTrack {
    AnimatedProperty property = AnimatedProperty::opacity;
    std::vector<double> times;
    std::vector<double> values;

    // A turn about the z axis, written in degrees.
    static MascotTrack rotate(std::vector<double> times, std::vector<double> degrees) {
        for (double& value : degrees) value *= std::numbers::pi / 180;
        return {AnimatedProperty::rotation, std::move(times), std::move(degrees)};
    }
};

}  // namespace WaylarkKit
