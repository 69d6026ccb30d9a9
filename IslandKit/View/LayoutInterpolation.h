#pragma once

#include "IslandKit/Geometry/IslandLayout.h"

namespace IslandKit {

// The layout a fraction `p` of the way from `from` to `to`; every rectangle
// and both radii move together, as one spring carries them. `p` may overshoot 1.
IslandLayout interpolate(const IslandLayout& from, const IslandLayout& to, double p);

}  // namespace IslandKit
