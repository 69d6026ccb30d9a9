#pragma once

#include <string>
#include <vector>

#include "TradingCore/Evaluation/Timeline.h"
#include "WaylarkKit/Style/Rgba.h"
#include "WaylarkKit/Views/SelectionEdges.h"
#include "WaylarkKit/Views/TimelineBar.h"

// The timeline tab's texts and colours that are rules rather than drawing,
// so they are checked without a window.
namespace WaylarkKit::TimelineTabLook {

// The green of a trading window on the bar and of its selection edges.
inline constexpr Rgba windowGreen = rgb(0x40EB73);
// The profile menu's panel.
inline constexpr Rgba menuPanel = rgb(0x1A1A1A);

// The half span in the zoom control, after "±": whole hours as "1h", "2h",
// anything else in minutes ("30m", "90m").
std::string spanLabel(int minutes);

// The colour of a selection's edge marks and times.
Rgba toneColor(const SelectionEdges::Tone& tone);

// The fill of a status piece.
Rgba pieceColor(BarPiece::Kind kind);

// A custom band's rail: its interval colour, white without one.
Rgba railColor(const TradingCore::TimelineBand& band);

// White when selected; the medium impact colour for medium news; soft white otherwise.
Rgba markerColor(const TradingCore::TimelineMarker& marker, bool selected);

// The marker's label whole below 9 characters, else its first 7 and "…".
std::string markerLabel(const std::string& label);

// The macro pieces' hatching: a faint orange fill crossed by orange stripes
// rising at 45°, `stripeSpacing` apart along the horizontal with one of them
// through the top-left corner, outlined orange, or white when selected.
namespace Hatch {
inline constexpr double cornerRadius = 3;
inline constexpr double stripeSpacing = 7;
inline constexpr double stripeWidth = 2;
inline constexpr double fillOpacity = 0.14;
inline constexpr double stripeOpacity = 0.9;

struct Outline {
    Rgba color;
    double lineWidth = 1;
    bool operator==(const Outline&) const = default;
};

Outline outline(bool selected);
}  // namespace Hatch

}  // namespace WaylarkKit::TimelineTabLook
