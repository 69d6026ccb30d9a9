#include "WaylarkKit/Views/TimelineBar.h"

#include <algorithm>

namespace WaylarkKit {

using TradingCore::StatusBase;
using TradingCore::TimelineSegment;

namespace {

BarPiece::Kind kindOf(const TimelineSegment& segment) {
    switch (segment.base) {
        case StatusBase::gray: return BarPiece::Kind::outside;
        case StatusBase::red:
            return segment.restrictionImpact == TradingCore::NewsImpact::medium ? BarPiece::Kind::restrictedMedium
                                                                                 : BarPiece::Kind::restricted;
        case StatusBase::green:
        case StatusBase::amber: return BarPiece::Kind::window;
    }
    return BarPiece::Kind::outside;
}

}  // namespace

std::vector<BarPiece> TimelineBarComposer::pieces(const TradingCore::Timeline& timeline) {
    const Base::Date from = timeline.range.start;
    const Base::Date to = timeline.range.end;
    std::vector<Base::Date> cuts{from, to};
    cuts.reserve(2 + 2 * timeline.segments.size());
    for (const TimelineSegment& segment : timeline.segments) {
        cuts.push_back(segment.start);
        cuts.push_back(segment.end);
    }
    std::erase_if(cuts, [&](Base::Date d) { return !(from <= d && d <= to); });
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    std::vector<BarPiece> result;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const Base::Date a = cuts[i];
        const Base::Date b = cuts[i + 1];
        const auto segment = std::find_if(timeline.segments.begin(), timeline.segments.end(),
                                          [&](const TimelineSegment& s) { return s.start <= a && a < s.end; });
        if (segment == timeline.segments.end()) continue;
        const BarPiece::Kind kind = kindOf(*segment);
        const TimelineSelection selection = TimelineSelection::segment(segment->origin);
        if (!result.empty() && result.back().kind == kind && result.back().selection == selection &&
            result.back().end == a) {
            result.back().end = b;
        } else {
            result.push_back(BarPiece{a, b, kind, selection});
        }
    }
    return result;
}

std::vector<BarPiece> TimelineBarComposer::macroPieces(const TradingCore::Timeline& timeline) {
    const std::vector<std::size_t> occurrences = idOccurrences(timeline.macros);
    std::vector<BarPiece> result;
    for (std::size_t i = 0; i < timeline.macros.size(); ++i) {
        const TradingCore::TimelineBand& band = timeline.macros[i];
        const Base::Date s = timeline.range.start >= band.start ? timeline.range.start : band.start;
        const Base::Date e = timeline.range.end < band.end ? timeline.range.end : band.end;
        if (e > s) {
            result.push_back(
                BarPiece{s, e, BarPiece::Kind::macro, TimelineSelection::macro(band.id, occurrences[i])});
        }
    }
    return result;
}

}  // namespace WaylarkKit
