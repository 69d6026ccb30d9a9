#pragma once

#include <optional>

#include "TradingCore/Model/IntervalColor.h"
#include "WaylarkKit/Style/Rgba.h"

// The mascot's fixed colours, as its drawing gives them in numbers.
namespace WaylarkKit::Ink {

inline constexpr Rgba eye{11, 14, 20, 1};           // pupils, facial lines, the magnifier's dark outlines
inline constexpr Rgba white{255, 255, 255, 1};      // highlights, gloss, glints
inline constexpr Rgba gray{142, 142, 147, 1};       // accent of the out pose
inline constexpr Rgba green{95, 227, 168, 1};       // accent of an untinted session
inline constexpr Rgba red{255, 77, 77, 1};          // accent of a restriction
inline constexpr Rgba orange{255, 159, 10, 1};      // accent of a medium restriction
inline constexpr Rgba cheek{255, 159, 178, 0.5};    // blushes
inline constexpr Rgba sleepZ{223, 230, 242, 1};     // the sleep letters
inline constexpr Rgba drop{191, 230, 255, 1};       // the drool drop
inline constexpr Rgba dropEdge{140, 200, 240, 1};   // the drop's outline
inline constexpr Rgba handle{232, 237, 245, 1};     // the magnifier's handle core and rim

}  // namespace WaylarkKit::Ink

namespace WaylarkKit {

// The colour in which the mascot draws a session tinted with a custom time.
Rgba mascotColor(TradingCore::IntervalColor color);

// A session's accent: its tint's mascot colour, green without a tint.
Rgba sessionAccent(std::optional<TradingCore::IntervalColor> tint);

}  // namespace WaylarkKit
