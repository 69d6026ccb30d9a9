#pragma once

#include <vector>

#include "TradingCore/Evaluation/Activity.h"
#include "TradingCore/Evaluation/ScheduleBuilder.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

namespace TradingCore::ActivityList {

// News, then macros, then custom intervals, stably sorted by rank and then
// by target (an absent target counts as the far future).
std::vector<Activity> activities(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                 Span horizon, const std::vector<TimingEvaluator::WindowOccurrence>& windows,
                                 const std::vector<TimingEvaluator::Blackout>& blackouts, Base::Date now);

// One activity per news key (display label and instant), only for blackouts
// that overlap a window occurrence, showing the most severe impact of its key.
std::vector<Activity> newsActivities(const TimingConfiguration& configuration,
                                     const std::vector<TimingEvaluator::WindowOccurrence>& windows,
                                     const std::vector<TimingEvaluator::Blackout>& blackouts, Base::Date now);
std::vector<Activity> macroActivities(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                      Span horizon, Base::Date now);
std::vector<Activity> customActivities(const TimingConfiguration& configuration, const ScheduleBuilder& builder,
                                       Span horizon, Base::Date now);

// 0 restricted news, 1 upcoming news, 2 active macro, 3 upcoming macro,
// 4 other news and macros, 5 custom intervals.
int rank(const Activity& activity);

}  // namespace TradingCore::ActivityList
