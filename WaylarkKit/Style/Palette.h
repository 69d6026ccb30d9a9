#pragma once

#include "WaylarkKit/Style/Rgba.h"

// The island is always dark, so every named colour takes its dark-appearance
// value. Colours a view gives as numbers are written at the view; this file
// holds the named ones, so a swap shows up in one place.
namespace WaylarkKit::Palette {

inline constexpr Rgba green = rgb(0x30D158);
inline constexpr Rgba red = rgb(0xFF453A);
inline constexpr Rgba orange = rgb(0xFF9F0A);
inline constexpr Rgba yellow = rgb(0xFFD60A);
inline constexpr Rgba blue = rgb(0x0A84FF);
inline constexpr Rgba cyan = rgb(0x64D2FF);
inline constexpr Rgba teal = rgb(0x40C8E0);
inline constexpr Rgba mint = rgb(0x66D4CF);
inline constexpr Rgba pink = rgb(0xFF375F);
inline constexpr Rgba purple = rgb(0xBF5AF2);
inline constexpr Rgba indigo = rgb(0x5E5CE6);
inline constexpr Rgba gray = rgb(0x8E8E93);
inline constexpr Rgba white = rgb(0xFFFFFF);
inline constexpr Rgba black = rgb(0x000000);
inline constexpr Rgba primary = white;
inline constexpr Rgba secondary = rgb(0xEBEBF5).withOpacity(0.6);

}  // namespace WaylarkKit::Palette
