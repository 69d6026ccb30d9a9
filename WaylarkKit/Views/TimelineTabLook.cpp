#include "WaylarkKit/Views/TimelineTabLook.h"

#include "Base/Text.h"
#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/IntervalColorDisplay.h"

namespace WaylarkKit::TimelineTabLook {

std::string spanLabel(int minutes) {
    if (minutes % 60 == 0) return std::to_string(minutes / 60) + "h";
    return std::to_string(minutes) + "m";
}

Rgba toneColor(const SelectionEdges::Tone& tone) {
    using Kind = SelectionEdges::Tone::Kind;
    switch (tone.kind) {
        case Kind::custom: return displayColor(tone.color);
        case Kind::window: return windowGreen;
        case Kind::macro: return Palette::orange;
        case Kind::restricted: return ImpactColor::high;
        case Kind::restrictedMedium: return ImpactColor::medium;
        case Kind::outside: return Palette::white.withOpacity(0.7);
        case Kind::marker: return Palette::white.withOpacity(0.9);
    }
    return Palette::white;
}

Rgba pieceColor(BarPiece::Kind kind) {
    switch (kind) {
        case BarPiece::Kind::outside: return Palette::white.withOpacity(0.14);
        case BarPiece::Kind::window: return windowGreen;
        case BarPiece::Kind::macro: return Palette::orange;
        case BarPiece::Kind::restricted: return ImpactColor::high.withOpacity(0.9);
        case BarPiece::Kind::restrictedMedium: return ImpactColor::medium.withOpacity(0.9);
    }
    return Palette::white;
}

Rgba railColor(const TradingCore::TimelineBand& band) {
    return band.color ? displayColor(*band.color) : Palette::white;
}

Rgba markerColor(const TradingCore::TimelineMarker& marker, bool selected) {
    if (selected) return Palette::white;
    if (marker.impact == TradingCore::NewsImpact::medium) return ImpactColor::medium;
    return Palette::white.withOpacity(0.75);
}

std::string markerLabel(const std::string& label) {
    if (Base::Text::graphemeCount(label) < 9) return label;
    return Base::Text::graphemePrefix(label, 7) + "\u2026";
}

Hatch::Outline Hatch::outline(bool selected) {
    return selected ? Outline{Palette::white, 1.5} : Outline{Palette::orange, 1};
}

}  // namespace WaylarkKit::TimelineTabLook
