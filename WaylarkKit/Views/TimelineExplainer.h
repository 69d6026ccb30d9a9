#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "WaylarkKit/Views/TimelineSelection.h"

// The one line under the timeline bar: what the selected item is, or, with
// nothing selected (or the selected item gone), the stretch that holds now.
// Parts are joined with " · ".
namespace WaylarkKit::TimelineExplainer {

// Empty when nothing is selected and no segment holds `now`.
std::string text(const std::optional<TimelineSelection>& selection, const TradingCore::Timeline& timeline,
                 Base::Date now);

// "In window · Opening", "Restricted · CPI", "Outside windows".
std::string text(const TradingCore::TimelineSegment& segment);
// "CPI · 08:30", or for a holiday "USD holiday · Bank Holiday".
std::string text(const TradingCore::TimelineMarker& marker);
// The band's name and "ends in", "starts in" with a countdown, or "ended".
std::string text(const TradingCore::TimelineBand& band, Base::Date now);

}  // namespace WaylarkKit::TimelineExplainer
