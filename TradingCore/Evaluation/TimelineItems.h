#pragma once

#include <vector>

#include "TradingCore/Evaluation/ScheduleBuilder.h"
#include "TradingCore/Evaluation/Span.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/TimingConfiguration.h"

// The markers and bands drawn over a timeline's range.
namespace TradingCore::TimelineItems {

// Events in the range (both ends included) of a watched currency whose impact
// the rule selects, or that are holidays; by time, one per display label and
// instant (the first given wins).
std::vector<TimelineMarker> markers(const TimingConfiguration& configuration, const std::vector<NewsEvent>& events,
                                    Span range);
// Macro occurrences overlapping the range, by start.
std::vector<TimelineBand> macroBands(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                     Span range);
// Custom-interval occurrences overlapping the range, by start.
std::vector<TimelineBand> customBands(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                      Span range);

}  // namespace TradingCore::TimelineItems
