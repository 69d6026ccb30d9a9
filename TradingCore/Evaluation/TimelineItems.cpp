#include "TradingCore/Evaluation/TimelineItems.h"

#include <algorithm>
#include <set>
#include <string>

#include "Base/EpochText.h"

namespace TradingCore::TimelineItems {

std::vector<TimelineMarker> markers(const TimingConfiguration& configuration, const std::vector<NewsEvent>& events,
                                    Span range) {
    const NewsRule& rule = configuration.newsRule;
    std::vector<const NewsEvent*> kept;
    for (const NewsEvent& event : events) {
        if (!(range.start <= event.time && event.time <= range.end)) continue;
        if (!rule.currencies.contains(event.currency)) continue;
        // Holidays of a watched currency are marked whatever the impact filter says.
        if (!rule.impacts.contains(event.impact) && event.impact != NewsImpact::holiday) continue;
        kept.push_back(&event);
    }
    std::stable_sort(kept.begin(), kept.end(), [](const NewsEvent* a, const NewsEvent* b) { return a->time < b->time; });

    std::vector<TimelineMarker> result;
    std::set<std::string> seen;
    for (const NewsEvent* event : kept) {
        std::string id = event->displayLabel() + "@" + Base::epochText(event->time.secondsSince1970);
        if (!seen.insert(id).second) continue;
        result.push_back(TimelineMarker{std::move(id), event->time, event->displayLabel(), event->currency,
                                        event->impact, event->impact == NewsImpact::holiday});
    }
    return result;
}

std::vector<TimelineBand> macroBands(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                     Span range) {
    std::vector<MacroOccurrence> occurrences = builder.macroOccurrences(configuration.macros, range);
    std::stable_sort(occurrences.begin(), occurrences.end(),
                     [](const MacroOccurrence& a, const MacroOccurrence& b) { return a.span.start < b.span.start; });
    std::vector<TimelineBand> bands;
    bands.reserve(occurrences.size());
    for (MacroOccurrence& occurrence : occurrences) {
        std::string id = occurrence.name + ":" + Base::epochText(occurrence.span.start.secondsSince1970);
        bands.push_back(TimelineBand{std::move(id), std::move(occurrence.name), occurrence.span.start,
                                     occurrence.span.end, std::nullopt});
    }
    return bands;
}

std::vector<TimelineBand> customBands(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                      Span range) {
    std::vector<TimelineBand> bands;
    for (const CustomInterval& interval : configuration.customs) {
        if (!interval.hasValidTimes()) continue;
        for (const Span& span : builder.daily(interval.start, interval.end, interval.weekdays, range)) {
            bands.push_back(TimelineBand{"custom:" + interval.id.text() + ":" + Base::epochText(span.start.secondsSince1970),
                                         interval.name, span.start, span.end, interval.color});
        }
    }
    std::stable_sort(bands.begin(), bands.end(),
                     [](const TimelineBand& a, const TimelineBand& b) { return a.start < b.start; });
    return bands;
}

}  // namespace TradingCore::TimelineItems
