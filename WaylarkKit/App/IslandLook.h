#pragma once

#include "IslandKit/Geometry/IslandStyle.h"

namespace WaylarkKit {

// How this application's islands look: the delegate's islands and every test
// that builds one like them read it here.
const IslandKit::IslandStyle& islandLook();

}  // namespace WaylarkKit
