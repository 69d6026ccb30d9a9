#pragma once

#include "WaylarkKit/Style/Palette.h"

// The colours of a restriction by the impact of the news behind it.
namespace WaylarkKit::ImpactColor {

inline constexpr Rgba high = Palette::red;
inline constexpr Rgba medium = Palette::orange;

}  // namespace WaylarkKit::ImpactColor
