#include "WaylarkKit/L2/StripLook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/ImpactColor.h"

namespace WaylarkKit {

StripLook StripLook::make(const std::optional<Rgba>& restriction, bool hovered) {
    const double scale = hovered ? hoveredLabelScale : 1;
    if (restriction) {
        return {restriction->withOpacity(hovered ? 0.2 : 0.1), restriction->withOpacity(hovered ? 0.6 : 0.35),
                restriction->withOpacity(1), scale};
    }
    const Rgba white = Palette::white;
    return {white.withOpacity(hovered ? 0.16 : 0.06), white.withOpacity(hovered ? 0.3 : 0.07),
            white.withOpacity(hovered ? 0.95 : 0.5), scale};
}

StripLook StripLook::hovering(const std::optional<Rgba>& restriction, double progress) {
    const StripLook a = make(restriction, false);
    const StripLook b = make(restriction, true);
    const double p = std::clamp(progress, 0.0, 1.0);
    const auto mix = [p](const Rgba& x, const Rgba& y) {
        const auto channel = [p](std::uint8_t u, std::uint8_t v) {
            return static_cast<std::uint8_t>(std::lround(u + (v - u) * p));
        };
        return Rgba{channel(x.red, y.red), channel(x.green, y.green), channel(x.blue, y.blue),
                    x.opacity + (y.opacity - x.opacity) * p};
    };
    return {mix(a.fill, b.fill), mix(a.border, b.border), mix(a.label, b.label),
            a.labelScale + (b.labelScale - a.labelScale) * p};
}

std::string_view stripLabel(L2Tab tab) {
    switch (tab) {
        case L2Tab::timeline: return "TIMELINE";
        case L2Tab::weekly: return "WEEKLY";
        case L2Tab::calculator: return "LOT SIZE";
        case L2Tab::checklist: return "CHECKLIST";
    }
    return "";
}

std::optional<Rgba> stripRestriction(L2Tab tab, const TradingCore::Evaluation& evaluation) {
    using namespace TradingCore;
    if (tab != L2Tab::weekly) return std::nullopt;
    bool any = false;
    for (const auto& activity : evaluation.activities) {
        if (activity.kind != ActivityKind::news || activity.phase != ActivityPhase::restricted) continue;
        if (!activity.impact || *activity.impact == NewsImpact::high) return ImpactColor::high;
        any = true;
    }
    if (!any) return std::nullopt;
    return ImpactColor::medium;
}

}  // namespace WaylarkKit
