#pragma once

#include "IslandKit/Geometry/IslandLayout.h"
#include "IslandKit/Geometry/IslandSlots.h"
#include "IslandKit/Geometry/IslandState.h"
#include "IslandKit/Geometry/IslandStyle.h"
#include "IslandKit/Screen/ScreenMetrics.h"

namespace IslandKit::IslandGeometry {

// Where the island of one display lies, for a state, the display's facts, the
// widths its side views want and its style. Pure.
IslandLayout layout(IslandState state, const ScreenMetrics& metrics, const IslandSlots& slots,
                    const IslandStyle& style);

}  // namespace IslandKit::IslandGeometry
