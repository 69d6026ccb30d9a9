#pragma once

#include <string>
#include <vector>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Evaluation.h"
#include "TradingCore/Evaluation/ScheduleBuilder.h"
#include "TradingCore/Evaluation/Span.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "TradingCore/Model/DataConfidence.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/TimingConfiguration.h"

namespace TradingCore {

// Answers, for an instant the caller passes, whether trading is allowed and
// what comes next; and, for a stretch of time, the timeline. Pure functions:
// nothing is kept between calls and no clock is read.
struct TimingEvaluator {
    struct WindowOccurrence {
        std::string name;
        Span span;
    };

    struct Blackout {
        NewsEvent event;
        Span span;
    };

    // evaluate() looks this far back and ahead of `now`.
    static constexpr double evaluationLookBack = 129600;    // 36 h
    static constexpr double evaluationLookAhead = 172800;   // 48 h
    // timeline() knows windows this far before `from` and after `to`.
    static constexpr double timelineLookBack = 345600;      // 4 days
    static constexpr double timelineLookAhead = 172800;     // 2 days

    static Evaluation evaluate(const TimingConfiguration& configuration, const std::vector<NewsEvent>& events,
                               DataConfidence newsConfidence, Base::Date now);

    static Timeline timeline(const TimingConfiguration& configuration, const std::vector<NewsEvent>& events,
                             Base::Date from, Base::Date to);

    // The profile's window occurrences overlapping the horizon: the first
    // window's in day order, then the second's, and so on.
    static std::vector<WindowOccurrence> windowOccurrences(const TimingConfiguration& configuration,
                                                           const ScheduleBuilder& builder, Span horizon);

    // One blackout per confirmed event whose currency and impact the rule
    // selects, in event order; not merged and not cut to any horizon.
    static std::vector<Blackout> blackouts(const TimingConfiguration& configuration,
                                           const std::vector<NewsEvent>& events);
};

}  // namespace TradingCore
