#pragma once

#include <optional>
#include <string>
#include <vector>

#include "IslandKit/Geometry/Rect.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "WaylarkKit/Style/Rgba.h"
#include "WaylarkKit/Views/SelectionEdges.h"
#include "WaylarkKit/Views/TimelineScale.h"
#include "WaylarkKit/Views/TimelineSelection.h"

namespace WaylarkKit {

// Everything the timeline bar draws, placed: the painter draws it as it
// stands and a tap is looked up in the same rectangles, so what is seen is
// what is hit. Coordinates are points from the canvas's top-left corner.
//
// From the top: the now time (y 13), news markers (20 to 46), the rails (45 to
// 51.5, tapped 43 to 52), the bar (54 to 76), selection edge marks (75 to 82),
// hour ticks (79 to 84), hour labels (from 84), edge times (from 85).
struct TimelineCanvas {
    static constexpr double height = 101;
    static constexpr double barTop = 54;
    static constexpr double barHeight = 22;
    static constexpr double pieceMinWidth = 8;
    static constexpr double railMinWidth = 6;
    static constexpr double markerWidth = 44;
    static constexpr double markerHeight = 26;
    static constexpr double markerInset = 18;
    static constexpr double edgeLabelWidth = 40;
    static constexpr double edgeLabelGap = 4;

    struct Piece {
        IslandKit::Rect frame;
        Rgba fill;
        bool selected = false;
        TimelineSelection selection;
    };
    // Macro pieces are drawn hatched over the status pieces.
    struct MacroPiece {
        IslandKit::Rect frame;
        bool selected = false;
        TimelineSelection selection;
    };
    struct Rail {
        IslandKit::Rect frame;
        double past = 0;  // width of its part left of now, darkened
        Rgba color;
        bool selected = false;
        IslandKit::Rect tapArea;  // covers both rows
        TimelineSelection selection;
    };
    struct Tick {
        IslandKit::Rect mark;
        bool labeled = false;
        std::optional<std::string> label;  // shown only while nothing is selected
        double x = 0;
    };
    struct Edge {
        EdgeLabel label;
        double center = 0;  // of its time text
    };
    struct Marker {
        double x = 0;  // centre, at least markerInset inside either end
        IslandKit::Rect frame;
        std::string label;
        bool isHoliday = false;
        bool selected = false;
        Rgba color;
        TimelineSelection selection;
    };

    double width = 0;
    double nowX = 0;
    std::string nowText;
    IslandKit::Rect pastDim;
    IslandKit::Rect nowLine;
    std::vector<Piece> pieces;
    std::vector<MacroPiece> macroPieces;
    std::vector<Rail> rails;
    std::vector<Tick> ticks;
    std::vector<Edge> edges;
    Rgba edgeColor;
    std::vector<Marker> markers;

    static TimelineCanvas make(const TradingCore::Timeline& timeline, const TimelineScale& scale,
                               const std::optional<TimelineSelection>& selection);

    // What a tap at `point` selects: the topmost of markers, rails, macro
    // pieces and status pieces there; nothing over empty canvas, the now
    // line or the dimmed past alone.
    std::optional<TimelineSelection> hit(IslandKit::Point point) const;
};

}  // namespace WaylarkKit
