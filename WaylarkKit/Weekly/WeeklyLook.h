#pragma once

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Style/Rgba.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Weekly/WeeklyItem.h"

// The colours of the weekly tab over the black island.
namespace WaylarkKit::WeeklyLook {

inline constexpr Rgba title = Palette::white;
inline constexpr Rgba subtitle = Palette::white.withOpacity(0.4);
inline constexpr Rgba buttonFill = Palette::white.withOpacity(0.1);
inline constexpr Rgba buttonText = Palette::white.withOpacity(0.9);
inline constexpr Rgba pencil = Palette::white.withOpacity(0.85);

inline constexpr Rgba todayHeading = Palette::cyan;
inline constexpr Rgba dayHeading = Palette::white.withOpacity(0.5);
inline constexpr Rgba emptyDay = Palette::white.withOpacity(0.28);

inline constexpr Rgba time = Palette::white.withOpacity(0.6);
inline constexpr Rgba secondText = Palette::white.withOpacity(0.45);
inline constexpr Rgba detail = Palette::white.withOpacity(0.4);
inline constexpr Rgba focusFill = Palette::white.withOpacity(0.12);
inline constexpr Rgba focusBorder = Palette::white.withOpacity(0.55);

inline constexpr Rgba menuPanel = rgb(0x1A1A1A);  // sRGB white 0.1, opaque
inline constexpr Rgba menuBorder = Palette::white.withOpacity(0.12);
inline constexpr Rgba menuText = Palette::white.withOpacity(0.9);
inline constexpr Rgba lockedMenuText = Palette::white.withOpacity(0.55);
inline constexpr Rgba uncheckedBox = Palette::white.withOpacity(0.45);

// A holiday's dot is dim white whatever its impact says; else medium orange, high red.
inline Rgba dot(const WeeklyItem& item) {
    if (item.isHoliday) return Palette::white.withOpacity(0.5);
    return item.isMedium ? ImpactColor::medium : ImpactColor::high;
}

// Only the main text dims once a row is past; the rest of the row keeps its look.
inline Rgba mainText(const WeeklyItem& item) { return Palette::white.withOpacity(item.isPast ? 0.45 : 0.95); }

}  // namespace WaylarkKit::WeeklyLook
