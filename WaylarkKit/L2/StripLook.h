#pragma once

#include <optional>
#include <string_view>

#include "TradingCore/Evaluation/Evaluation.h"
#include "WaylarkKit/L2/L2Tab.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// How one strip of the expanded panel looks: a rounded fill, its inner
// border and the rotated label, tinted by a running restriction or white.
struct StripLook {
    static constexpr double cornerRadius = 8;
    static constexpr double borderWidth = 1;
    static constexpr double labelSize = 10;
    static constexpr double labelTracking = 1.8;
    static constexpr double hoveredLabelScale = 1.1;

    Rgba fill;
    Rgba border;
    Rgba label;
    double labelScale = 1;

    static StripLook make(const std::optional<Rgba>& restriction, bool hovered);
    // On the way from the resting look (`hovered` 0) to the hovered one (1).
    static StripLook hovering(const std::optional<Rgba>& restriction, double progress);
    bool operator==(const StripLook&) const = default;
};

// "TIMELINE", "WEEKLY", "LOT SIZE", "CHECKLIST".
std::string_view stripLabel(L2Tab tab);

// The weekly strip's colour while news blackouts run: the high colour when
// any of them is high or of no impact, else the medium colour. None for every
// other tab and outside blackouts.
std::optional<Rgba> stripRestriction(L2Tab tab, const TradingCore::Evaluation& evaluation);

}  // namespace WaylarkKit
