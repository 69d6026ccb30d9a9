#include <algorithm>

#include "TradingCore/Evaluation/BuilderCache.h"
#include "TradingCore/Evaluation/TimelineItems.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

namespace TradingCore {

namespace {

using WindowOccurrence = TimingEvaluator::WindowOccurrence;
using Blackout = TimingEvaluator::Blackout;

// The occurrence holding t that started last; the first of equal starts.
const WindowOccurrence* activeWindow(Base::Date t, const std::vector<WindowOccurrence>& windows) {
    const WindowOccurrence* chosen = nullptr;
    for (const WindowOccurrence& window : windows) {
        if (window.span.contains(t) && (!chosen || window.span.start > chosen->span.start)) chosen = &window;
    }
    return chosen;
}

TimelineSegment outsideSegment(Base::Date from, Base::Date to, Base::Date origin,
                               const std::vector<WindowOccurrence>& windows) {
    const WindowOccurrence* next = nullptr;
    const WindowOccurrence* previous = nullptr;
    for (const WindowOccurrence& window : windows) {
        if (window.span.start > from && (!next || window.span.start < next->span.start)) next = &window;
        if (window.span.end <= from && (!previous || window.span.end > previous->span.end)) previous = &window;
    }
    TimelineSegment segment{from, to, origin, StatusBase::gray, std::nullopt, {}, std::nullopt};
    segment.reasons.push_back(TimelineReason::outsideWindows(
        previous ? std::optional(previous->span.end) : std::nullopt,
        next ? std::optional(next->span.start) : std::nullopt,
        next ? std::optional(next->name) : std::nullopt));
    return segment;
}

TimelineSegment windowSegment(Base::Date from, Base::Date to, Base::Date origin, const WindowOccurrence& window,
                              const std::vector<Blackout>& blackouts) {
    TimelineSegment segment{from, to, origin, StatusBase::green, window.name, {}, std::nullopt};
    for (const Blackout& blackout : blackouts) {
        if (!blackout.span.contains(from)) continue;
        segment.reasons.push_back(TimelineReason::blackout(blackout.event.displayLabel(), blackout.span.start,
                                                           blackout.span.end, blackout.event.time));
        if (!segment.restrictionImpact || severity(blackout.event.impact) > severity(*segment.restrictionImpact)) {
            segment.restrictionImpact = blackout.event.impact;
        }
    }
    if (segment.restrictionImpact) segment.base = StatusBase::red;
    segment.reasons.push_back(TimelineReason::window(window.name, window.span.start, window.span.end));
    return segment;
}

}  // namespace

Timeline TimingEvaluator::timeline(const TimingConfiguration& configuration, const std::vector<NewsEvent>& events,
                                   Base::Date from, Base::Date to) {
    const Span range{from, to >= from ? to : from};
    const ScheduleBuilder& builder = threadBuilder(configuration.timeZone);
    const Span horizon{from - timelineLookBack, to + timelineLookAhead};
    const std::vector<WindowOccurrence> windows = windowOccurrences(configuration, builder, horizon);
    const std::vector<Blackout> blackoutList = blackouts(configuration, events);

    std::vector<Base::Date> boundaries;
    boundaries.reserve(2 * (windows.size() + blackoutList.size()));
    for (const WindowOccurrence& window : windows) {
        boundaries.push_back(window.span.start);
        boundaries.push_back(window.span.end);
    }
    for (const Blackout& blackout : blackoutList) {
        boundaries.push_back(blackout.span.start);
        boundaries.push_back(blackout.span.end);
    }

    std::vector<Base::Date> cuts;
    auto cutAt = [&](Base::Date d) {
        if (from <= d && d <= to) cuts.push_back(d);
    };
    cutAt(from);
    cutAt(to);
    for (Base::Date boundary : boundaries) cutAt(boundary);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    // Sorted, so the latest boundary at or before a cut is one search away;
    // NaN boundaries would break the ordering and can never be an origin.
    std::erase_if(boundaries, [](Base::Date d) { return d != d; });
    std::sort(boundaries.begin(), boundaries.end());

    Timeline timeline;
    timeline.range = range;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const Base::Date start = cuts[i];
        const Base::Date end = cuts[i + 1];
        const auto after = std::upper_bound(boundaries.begin(), boundaries.end(), start);
        const Base::Date origin = after == boundaries.begin() ? start : *(after - 1);
        const WindowOccurrence* window = activeWindow(start, windows);
        timeline.segments.push_back(window ? windowSegment(start, end, origin, *window, blackoutList)
                                           : outsideSegment(start, end, origin, windows));
    }

    timeline.markers = TimelineItems::markers(configuration, events, range);
    timeline.macros = TimelineItems::macroBands(configuration, builder, range);
    timeline.customs = TimelineItems::customBands(configuration, builder, range);
    return timeline;
}

}  // namespace TradingCore
