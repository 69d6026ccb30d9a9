#include "TradingCore/Evaluation/TimingEvaluator.h"

#include <algorithm>

#include "TradingCore/Evaluation/ActivityList.h"
#include "TradingCore/Evaluation/BuilderCache.h"

namespace TradingCore {

namespace {

struct Signature {
    StatusBase base = StatusBase::gray;
    const std::string* windowName = nullptr;  // points into the window occurrences

    bool operator==(const Signature& other) const {
        if (base != other.base) return false;
        if (!windowName || !other.windowName) return windowName == other.windowName;
        return *windowName == *other.windowName;
    }
};

// Gray outside every window; inside, the occurrence that started last (the
// first of equals) names the status, red while any blackout is in force.
Signature signatureAt(Base::Date t, const std::vector<TimingEvaluator::WindowOccurrence>& windows,
                      const std::vector<TimingEvaluator::Blackout>& blackouts) {
    const TimingEvaluator::WindowOccurrence* chosen = nullptr;
    for (const auto& window : windows) {
        if (window.span.contains(t) && (!chosen || window.span.start > chosen->span.start)) chosen = &window;
    }
    if (!chosen) return Signature{};
    const bool blackedOut = std::any_of(blackouts.begin(), blackouts.end(),
                                        [&](const auto& blackout) { return blackout.span.contains(t); });
    return Signature{blackedOut ? StatusBase::red : StatusBase::green, &chosen->name};
}

}  // namespace

std::vector<TimingEvaluator::WindowOccurrence> TimingEvaluator::windowOccurrences(
    const TimingConfiguration& configuration, const ScheduleBuilder& builder, Span horizon) {
    std::vector<WindowOccurrence> occurrences;
    for (const SessionWindow& window : configuration.profile.windows) {
        for (const Span& span : builder.daily(window.start, window.end, configuration.profile.startWeekdays, horizon)) {
            occurrences.push_back(WindowOccurrence{window.name, span});
        }
    }
    return occurrences;
}

std::vector<TimingEvaluator::Blackout> TimingEvaluator::blackouts(const TimingConfiguration& configuration,
                                                                  const std::vector<NewsEvent>& events) {
    const NewsRule& rule = configuration.newsRule;
    std::vector<Blackout> result;
    for (const NewsEvent& event : events) {
        if (!event.isTimeConfirmed) continue;
        if (!rule.currencies.contains(event.currency)) continue;
        if (!rule.impacts.contains(event.impact)) continue;
        result.push_back(Blackout{event, Span{event.time - rule.beforeSeconds, event.time + rule.afterSeconds}});
    }
    return result;
}

Evaluation TimingEvaluator::evaluate(const TimingConfiguration& configuration, const std::vector<NewsEvent>& events,
                                     DataConfidence newsConfidence, Base::Date now) {
    const ScheduleBuilder& builder = threadBuilder(configuration.timeZone);
    const Span horizon{now - evaluationLookBack, now + evaluationLookAhead};
    const std::vector<WindowOccurrence> windows = windowOccurrences(configuration, builder, horizon);
    const std::vector<Blackout> blackoutList = blackouts(configuration, events);
    const Signature current = signatureAt(now, windows, blackoutList);

    Evaluation evaluation;
    evaluation.base = current.base;
    evaluation.confidence = newsConfidence;
    if (current.windowName) evaluation.windowName = *current.windowName;

    std::vector<Base::Date> candidates;
    candidates.reserve(2 * (windows.size() + blackoutList.size()));
    auto consider = [&](Base::Date boundary) {
        if (boundary > now) candidates.push_back(boundary);
    };
    for (const auto& window : windows) {
        consider(window.span.start);
        consider(window.span.end);
    }
    for (const auto& blackout : blackoutList) {
        consider(blackout.span.start);
        consider(blackout.span.end);
    }
    std::stable_sort(candidates.begin(), candidates.end());
    for (Base::Date candidate : candidates) {
        if (!(signatureAt(candidate, windows, blackoutList) == current)) {
            evaluation.nextChange = candidate;
            break;
        }
    }

    if (!evaluation.nextChange) {
        evaluation.countdownVisible = false;
    } else if (current.base != StatusBase::gray) {
        evaluation.countdownVisible = true;
    } else {
        evaluation.countdownVisible = (*evaluation.nextChange - now) <= configuration.grayCountdownSeconds;
    }

    // Any occurrence of the window that holds `now` may announce it, not
    // only the one that named the status.
    if (current.windowName) {
        for (const auto& window : windows) {
            if (window.name == *current.windowName && window.span.contains(now) &&
                (now - window.span.start) < configuration.announcementSeconds) {
                evaluation.announcement = window.name;
                break;
            }
        }
    }

    evaluation.activities = ActivityList::activities(configuration, builder, horizon, windows, blackoutList, now);

    if (current.base == StatusBase::red) {
        for (const auto& blackout : blackoutList) {
            if (!blackout.span.contains(now)) continue;
            if (!evaluation.restrictionImpact ||
                severity(blackout.event.impact) > severity(*evaluation.restrictionImpact)) {
                evaluation.restrictionImpact = blackout.event.impact;
            }
        }
    }
    return evaluation;
}

}  // namespace TradingCore
