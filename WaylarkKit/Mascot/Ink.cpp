#include "WaylarkKit/Mascot/Ink.h"

namespace WaylarkKit {

Rgba mascotColor(TradingCore::IntervalColor color) {
    using TradingCore::IntervalColor;
    switch (color) {
        case IntervalColor::cyan: return {64, 217, 255, 1};
        case IntervalColor::blue: return {97, 148, 255, 1};
        case IntervalColor::pink: return {255, 115, 191, 1};
        case IntervalColor::yellow: return {255, 219, 77, 1};
        case IntervalColor::teal: return {77, 224, 191, 1};
        case IntervalColor::white: return Ink::white;
    }
    return Ink::white;
}

Rgba sessionAccent(std::optional<TradingCore::IntervalColor> tint) { return tint ? mascotColor(*tint) : Ink::green; }

}  // namespace WaylarkKit
