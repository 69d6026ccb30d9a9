#include "WaylarkKit/Views/SelectionEdges.h"

#include <algorithm>

#include "WaylarkKit/Views/Formatting.h"
#include "WaylarkKit/Views/TimelineScale.h"

namespace WaylarkKit {

using TradingCore::StatusBase;
using TradingCore::TimelineReason;
using Kind = SelectionEdges::Tone::Kind;

namespace {

const TimelineReason* firstReason(const TradingCore::TimelineSegment& segment, TimelineReason::Kind kind) {
    const auto found = std::find_if(segment.reasons.begin(), segment.reasons.end(),
                                    [&](const TimelineReason& reason) { return reason.kind == kind; });
    return found == segment.reasons.end() ? nullptr : &*found;
}

std::optional<SelectionEdges> segmentEdges(const TradingCore::TimelineSegment& segment) {
    switch (segment.base) {
        case StatusBase::green:
        case StatusBase::amber: {
            const TimelineReason* window = firstReason(segment, TimelineReason::Kind::window);
            if (window == nullptr) return std::nullopt;
            return SelectionEdges{window->start, window->end, SelectionEdges::Tone::of(Kind::window)};
        }
        case StatusBase::red: {
            const TimelineReason* blackout = firstReason(segment, TimelineReason::Kind::blackout);
            if (blackout == nullptr) return std::nullopt;
            const bool medium = segment.restrictionImpact == TradingCore::NewsImpact::medium;
            return SelectionEdges{blackout->start, blackout->end,
                                  SelectionEdges::Tone::of(medium ? Kind::restrictedMedium : Kind::restricted)};
        }
        case StatusBase::gray: {
            const TimelineReason* gap = firstReason(segment, TimelineReason::Kind::outsideWindows);
            if (gap == nullptr) return std::nullopt;
            return SelectionEdges{gap->previousWindowEnd, gap->nextWindowStart, SelectionEdges::Tone::of(Kind::outside)};
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<SelectionEdges> SelectionEdgesResolver::edges(const std::optional<TimelineSelection>& selection,
                                                            const TradingCore::Timeline& timeline) {
    if (!selection) return std::nullopt;
    switch (selection->kind) {
        case TimelineSelection::Kind::segment: {
            const auto found = std::find_if(timeline.segments.begin(), timeline.segments.end(),
                                            [&](const auto& segment) { return segment.origin == selection->origin; });
            if (found == timeline.segments.end()) return std::nullopt;
            return segmentEdges(*found);
        }
        case TimelineSelection::Kind::marker: {
            const auto* marker = findOccurrence(timeline.markers, selection->id, selection->occurrence);
            if (marker == nullptr) return std::nullopt;
            return SelectionEdges{marker->time, std::nullopt, SelectionEdges::Tone::of(Kind::marker)};
        }
        case TimelineSelection::Kind::macro: {
            const auto* band = findOccurrence(timeline.macros, selection->id, selection->occurrence);
            if (band == nullptr) return std::nullopt;
            return SelectionEdges{band->start, band->end, SelectionEdges::Tone::of(Kind::macro)};
        }
        case TimelineSelection::Kind::custom: {
            const auto* band = findOccurrence(timeline.customs, selection->id, selection->occurrence);
            if (band == nullptr) return std::nullopt;
            return SelectionEdges{band->start, band->end,
                                  SelectionEdges::Tone::custom(band->color.value_or(TradingCore::IntervalColor::white))};
        }
    }
    return std::nullopt;
}

// The scale's edge-label operations live here, beside the edges they label.

std::optional<EdgeLabel> TimelineScale::edgeLabel(Base::Date t) const {
    if (t > now + halfSpan) return EdgeLabel{Formatting::etFormatter().string(t), width, true};
    if (t >= now - halfSpan) return EdgeLabel{Formatting::etFormatter().string(t), x(t), false};
    return std::nullopt;
}

std::vector<double> TimelineScale::edgeLabelCenters(const std::vector<double>& xs, double labelWidth,
                                                    double minGap) const {
    const double h = labelWidth / 2;
    const double need = labelWidth + minGap;
    if (xs.size() == 2) {
        const double a = xs[0];
        const double b = xs[1];
        const double lo = std::min(a, b);
        const double hi = std::max(a, b);
        double left = lo;
        double right = hi;
        if (hi - lo < need) {
            const double mid = (lo + hi) / 2;
            left = mid - need / 2;
            right = mid + need / 2;
        }
        if (left < h) {
            right += h - left;
            left = h;
        }
        if (right > width - h) {
            left -= right - (width - h);
            right = width - h;
        }
        // A bar narrower than two labels lets them overlap rather than leave on the left.
        if (left <= h) left = h;
        if (b < a) return {right, left};
        return {left, right};
    }
    std::vector<double> result;
    result.reserve(xs.size());
    for (double x : xs) result.push_back(std::min(std::max(x, h), width - h));
    return result;
}

}  // namespace WaylarkKit
