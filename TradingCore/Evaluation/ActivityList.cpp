#include "TradingCore/Evaluation/ActivityList.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Base/EpochText.h"
#include "TradingCore/Evaluation/NewsKey.h"

namespace TradingCore::ActivityList {

namespace {

struct Phase {
    ActivityPhase phase;
    std::optional<Base::Date> target;
};

bool within(Base::Date now, Base::Date from, Base::Date until) { return from <= now && now < until; }

// Macros and custom intervals: upcoming within the lead, active while
// running, ended within the linger.
std::optional<Phase> occurrencePhase(const Span& span, double leadSeconds, double lingerSeconds, Base::Date now) {
    if (within(now, span.start - leadSeconds, span.start)) return Phase{ActivityPhase::upcoming, span.start};
    if (within(now, span.start, span.end)) return Phase{ActivityPhase::active, span.end};
    if (within(now, span.end, span.end + lingerSeconds)) return Phase{ActivityPhase::ended, std::nullopt};
    return std::nullopt;
}

// The lead runs from the release time, not from the blackout start, so a
// lead no longer than the time before the release leaves no upcoming phase.
std::optional<Phase> newsPhase(const TimingEvaluator::Blackout& blackout, double leadSeconds, double lingerSeconds,
                               Base::Date now) {
    const Span& span = blackout.span;
    if (within(now, blackout.event.time - leadSeconds, span.start)) {
        return Phase{ActivityPhase::upcoming, blackout.event.time};
    }
    if (within(now, span.start, span.end)) return Phase{ActivityPhase::restricted, span.end};
    if (within(now, span.end, span.end + lingerSeconds)) return Phase{ActivityPhase::ended, std::nullopt};
    return std::nullopt;
}

bool justStarted(const Phase& phase, const Span& span, double announcementSeconds, Base::Date now) {
    return phase.phase == ActivityPhase::active && (now - span.start) < announcementSeconds;
}

double sortTime(const Activity& activity) {
    if (!activity.target || std::isnan(activity.target->secondsSince1970)) {
        return std::numeric_limits<double>::infinity();
    }
    return activity.target->secondsSince1970;
}

}  // namespace

std::vector<Activity> newsActivities(const TimingConfiguration& configuration,
                                     const std::vector<TimingEvaluator::WindowOccurrence>& windows,
                                     const std::vector<TimingEvaluator::Blackout>& blackouts, Base::Date now) {
    std::vector<Activity> result;
    for (std::size_t i = 0; i < blackouts.size(); ++i) {
        const TimingEvaluator::Blackout& blackout = blackouts[i];
        // Blackouts of one key share their event time and so their span: the
        // cheap tests below give the same answer for every blackout of a key,
        // and the search for an earlier one of the key can wait until they pass.
        const std::optional<Phase> phase =
            newsPhase(blackout, configuration.newsRule.leadSeconds, configuration.lingerSeconds, now);
        if (!phase) continue;

        const bool inWindow = std::any_of(windows.begin(), windows.end(), [&](const auto& window) {
            return window.span.overlaps(blackout.span);
        });
        if (!inWindow) continue;

        bool seen = false;
        for (std::size_t j = 0; j < i && !seen; ++j) seen = sameNewsKey(blackouts[j].event, blackout.event);
        if (seen) continue;

        // Every blackout of the key counts, also those skipped above.
        NewsImpact impact = blackout.event.impact;
        for (std::size_t j = i + 1; j < blackouts.size(); ++j) {
            if (sameNewsKey(blackouts[j].event, blackout.event) && severity(blackouts[j].event.impact) > severity(impact)) {
                impact = blackouts[j].event.impact;
            }
        }
        result.push_back(Activity{blackout.event.activityID(), ActivityKind::news, phase->phase,
                                  blackout.event.displayLabel(), phase->target, false, impact, std::nullopt});
    }
    return result;
}

std::vector<Activity> macroActivities(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                      Span horizon, Base::Date now) {
    std::vector<Activity> result;
    for (const MacroOccurrence& occurrence : builder.macroOccurrences(configuration.macros, horizon)) {
        const std::optional<Phase> phase =
            occurrencePhase(occurrence.span, configuration.macroLeadSeconds, configuration.lingerSeconds, now);
        if (!phase) continue;
        result.push_back(Activity{"macro:" + occurrence.name + ":" + Base::epochText(occurrence.span.start.secondsSince1970),
                                  ActivityKind::macro, phase->phase, occurrence.name, phase->target,
                                  justStarted(*phase, occurrence.span, configuration.announcementSeconds, now),
                                  std::nullopt, std::nullopt});
    }
    return result;
}

std::vector<Activity> customActivities(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                       Span horizon, Base::Date now) {
    std::vector<Activity> result;
    for (const CustomInterval& interval : configuration.customs) {
        if (!interval.hasValidTimes()) continue;
        for (const Span& span : builder.daily(interval.start, interval.end, interval.weekdays, horizon)) {
            const std::optional<Phase> phase =
                occurrencePhase(span, configuration.customLeadSeconds, configuration.lingerSeconds, now);
            if (!phase) continue;
            result.push_back(Activity{"custom:" + interval.id.text() + ":" + Base::epochText(span.start.secondsSince1970),
                                      ActivityKind::custom, phase->phase, interval.name, phase->target,
                                      justStarted(*phase, span, configuration.announcementSeconds, now), std::nullopt,
                                      interval.color});
        }
    }
    return result;
}

int rank(const Activity& activity) {
    switch (activity.kind) {
        case ActivityKind::news:
            if (activity.phase == ActivityPhase::restricted) return 0;
            if (activity.phase == ActivityPhase::upcoming) return 1;
            return 4;
        case ActivityKind::macro:
            if (activity.phase == ActivityPhase::active) return 2;
            if (activity.phase == ActivityPhase::upcoming) return 3;
            return 4;
        case ActivityKind::custom:
            return 5;
    }
    return 5;
}

std::vector<Activity> activities(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                 Span horizon, const std::vector<TimingEvaluator::WindowOccurrence>& windows,
                                 const std::vector<TimingEvaluator::Blackout>& blackouts, Base::Date now) {
    std::vector<Activity> list = newsActivities(configuration, windows, blackouts, now);
    for (Activity& activity : macroActivities(configuration, builder, horizon, now)) list.push_back(std::move(activity));
    for (Activity& activity : customActivities(configuration, builder, horizon, now)) list.push_back(std::move(activity));
    std::stable_sort(list.begin(), list.end(), [](const Activity& a, const Activity& b) {
        const int rankA = rank(a);
        const int rankB = rank(b);
        if (rankA != rankB) return rankA < rankB;
        return sortTime(a) < sortTime(b);
    });
    return list;
}

}  // namespace TradingCore::ActivityList
