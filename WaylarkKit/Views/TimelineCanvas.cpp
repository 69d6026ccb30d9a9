#include "WaylarkKit/Views/TimelineCanvas.h"

#include <algorithm>

#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/TimelineBar.h"
#include "WaylarkKit/Views/TimelineRails.h"
#include "WaylarkKit/Views/TimelineTabLook.h"

namespace WaylarkKit {

using IslandKit::Rect;

namespace {

constexpr double railTapTop = 43;
constexpr double railTapHeight = 9;
constexpr double markerTop = 20;
constexpr double tickTop = 79;
constexpr double tickLabelHalfWidth = 22;

bool isSelected(const std::optional<TimelineSelection>& selection, const TimelineSelection& item) {
    return selection && *selection == item;
}

// A framed piece loses one point on its right, so neighbours show a gap.
Rect pieceRect(const TimelineScale::Frame& frame) {
    return {frame.x, TimelineCanvas::barTop, std::max(frame.width - 1, 0.0), TimelineCanvas::barHeight};
}

}  // namespace

TimelineCanvas TimelineCanvas::make(const TradingCore::Timeline& timeline, const TimelineScale& scale,
                                    const std::optional<TimelineSelection>& selection) {
    TimelineCanvas canvas;
    const double w = scale.width;
    const double c = w * 0.5;
    canvas.width = w;
    canvas.nowX = c;
    canvas.nowText = Formatting::etSecondsFormatter().string(scale.now);
    canvas.pastDim = {0, barTop, c, barHeight};
    canvas.nowLine = {c - 1, 45, 2, 37};

    for (const BarPiece& piece : TimelineBarComposer::pieces(timeline)) {
        const auto frame = scale.frame(piece.start, piece.end, pieceMinWidth);
        if (!frame) continue;
        canvas.pieces.push_back(Piece{pieceRect(*frame), TimelineTabLook::pieceColor(piece.kind),
                                      isSelected(selection, piece.selection), piece.selection});
    }
    for (const BarPiece& piece : TimelineBarComposer::macroPieces(timeline)) {
        const auto frame = scale.frame(piece.start, piece.end, pieceMinWidth);
        if (!frame) continue;
        canvas.macroPieces.push_back(
            MacroPiece{pieceRect(*frame), isSelected(selection, piece.selection), piece.selection});
    }

    const std::vector<std::size_t> customOccurrences = idOccurrences(timeline.customs);
    for (const TimelineRails::RailItem& item : TimelineRails::railRows(timeline.customs)) {
        const auto frame = scale.frame(item.band.start, item.band.end, railMinWidth);
        if (!frame) continue;
        const TimelineSelection railSelection =
            TimelineSelection::custom(item.band.id, customOccurrences[item.index]);
        const bool selected = isSelected(selection, railSelection);
        const double h = selected ? 3 : 2;
        const double centre = 50 - 3.5 * item.row;
        canvas.rails.push_back(Rail{{frame->x, centre - h * 0.5, frame->width, h},
                                    std::clamp(c - frame->x, 0.0, frame->width),
                                    TimelineTabLook::railColor(item.band),
                                    selected,
                                    {frame->x, railTapTop, frame->width, railTapHeight},
                                    railSelection});
    }

    for (const TimelineScale::Tick& tick : scale.ticks(TradingCore::MarketTimeZone::newYork())) {
        const double x = scale.x(tick.date);
        Tick placed{{x, tickTop, 1, tick.labeled ? 5.0 : 3.0}, tick.labeled, std::nullopt, x};
        if (tick.labeled && !selection && tickLabelHalfWidth < x && x < w - tickLabelHalfWidth) {
            placed.label = Formatting::etFormatter().string(tick.date);
        }
        canvas.ticks.push_back(std::move(placed));
    }

    if (const auto edges = SelectionEdgesResolver::edges(selection, timeline)) {
        std::vector<EdgeLabel> labels;
        for (const auto& date : {edges->start, edges->end}) {
            if (!date) continue;
            if (auto label = scale.edgeLabel(*date)) labels.push_back(std::move(*label));
        }
        std::vector<double> xs;
        for (const EdgeLabel& label : labels) xs.push_back(label.x);
        const std::vector<double> centres = scale.edgeLabelCenters(xs, edgeLabelWidth, edgeLabelGap);
        for (std::size_t i = 0; i < labels.size(); ++i) canvas.edges.push_back(Edge{labels[i], centres[i]});
        canvas.edgeColor = TimelineTabLook::toneColor(edges->tone);
    }

    const std::vector<std::size_t> markerOccurrences = idOccurrences(timeline.markers);
    for (std::size_t i = 0; i < timeline.markers.size(); ++i) {
        const TradingCore::TimelineMarker& marker = timeline.markers[i];
        const double x = std::min(w - markerInset, std::max(markerInset, scale.x(marker.time)));
        const TimelineSelection markerSelection = TimelineSelection::marker(marker.id, markerOccurrences[i]);
        const bool selected = isSelected(selection, markerSelection);
        canvas.markers.push_back(Marker{x,
                                        {x - markerWidth / 2, markerTop, markerWidth, markerHeight},
                                        TimelineTabLook::markerLabel(marker.label),
                                        marker.isHoliday,
                                        selected,
                                        TimelineTabLook::markerColor(marker, selected),
                                        markerSelection});
    }
    return canvas;
}

std::optional<TimelineSelection> TimelineCanvas::hit(IslandKit::Point point) const {
    // Later items are drawn over earlier ones, so they take the tap first.
    for (auto m = markers.rbegin(); m != markers.rend(); ++m) {
        if (m->frame.contains(point)) return m->selection;
    }
    for (auto r = rails.rbegin(); r != rails.rend(); ++r) {
        if (r->tapArea.contains(point)) return r->selection;
    }
    for (auto p = macroPieces.rbegin(); p != macroPieces.rend(); ++p) {
        if (p->frame.contains(point)) return p->selection;
    }
    for (auto p = pieces.rbegin(); p != pieces.rend(); ++p) {
        if (p->frame.contains(point)) return p->selection;
    }
    return std::nullopt;
}

}  // namespace WaylarkKit
