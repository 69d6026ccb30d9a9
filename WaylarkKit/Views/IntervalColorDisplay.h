#pragma once

#include "TradingCore/Model/IntervalColor.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// The display colour of a custom interval's colour, fully opaque.
Rgba displayColor(TradingCore::IntervalColor color);

}  // namespace WaylarkKit
