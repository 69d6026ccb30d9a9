#include "WaylarkKit/Views/TimelineExplainer.h"

#include <algorithm>

#include "WaylarkKit/Views/Formatting.h"

namespace WaylarkKit::TimelineExplainer {

using TradingCore::TimelineReason;

namespace {

constexpr const char* separator = " \u00B7 ";

std::string withFirstReason(std::string lead, const TradingCore::TimelineSegment& segment,
                            TimelineReason::Kind kind) {
    const auto found = std::find_if(segment.reasons.begin(), segment.reasons.end(),
                                    [&](const TimelineReason& reason) { return reason.kind == kind; });
    if (found == segment.reasons.end()) return lead;
    return lead + separator + found->name;
}

}  // namespace

std::string text(const TradingCore::TimelineSegment& segment) {
    switch (segment.base) {
        case TradingCore::StatusBase::green:
        case TradingCore::StatusBase::amber:
            return withFirstReason("In window", segment, TimelineReason::Kind::window);
        case TradingCore::StatusBase::red:
            return withFirstReason("Restricted", segment, TimelineReason::Kind::blackout);
        case TradingCore::StatusBase::gray: return "Outside windows";
    }
    return "";
}

std::string text(const TradingCore::TimelineMarker& marker) {
    if (marker.isHoliday) return marker.currency + " holiday" + separator + marker.label;
    return marker.label + separator + Formatting::etFormatter().string(marker.time);
}

std::string text(const TradingCore::TimelineBand& band, Base::Date now) {
    if (band.start <= now && now < band.end) {
        return band.name + separator + "ends in " + Formatting::countdown(band.end - now);
    }
    if (now < band.start) return band.name + separator + "starts in " + Formatting::countdown(band.start - now);
    return band.name + separator + "ended";
}

std::string text(const std::optional<TimelineSelection>& selection, const TradingCore::Timeline& timeline,
                 Base::Date now) {
    if (selection) {
        switch (selection->kind) {
            case TimelineSelection::Kind::segment: {
                const auto found =
                    std::find_if(timeline.segments.begin(), timeline.segments.end(),
                                 [&](const auto& segment) { return segment.origin == selection->origin; });
                if (found != timeline.segments.end()) return text(*found);
                break;
            }
            case TimelineSelection::Kind::marker:
                if (const auto* marker = findOccurrence(timeline.markers, selection->id, selection->occurrence)) {
                    return text(*marker);
                }
                break;
            case TimelineSelection::Kind::macro:
                if (const auto* band = findOccurrence(timeline.macros, selection->id, selection->occurrence)) {
                    return text(*band, now);
                }
                break;
            case TimelineSelection::Kind::custom:
                if (const auto* band = findOccurrence(timeline.customs, selection->id, selection->occurrence)) {
                    return text(*band, now);
                }
                break;
        }
    }
    const auto current = std::find_if(timeline.segments.begin(), timeline.segments.end(),
                                      [&](const auto& segment) { return segment.start <= now && now < segment.end; });
    return current == timeline.segments.end() ? std::string() : text(*current);
}

}  // namespace WaylarkKit::TimelineExplainer
