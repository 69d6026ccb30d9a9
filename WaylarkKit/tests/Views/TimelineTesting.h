#pragma once

// Small builders of timeline pieces for the timeline tab's tests.

#include <optional>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "TradingCore/Evaluation/Timeline.h"
#include "TradingCore/Model/MarketTimeZone.h"

namespace WaylarkKit::TimelineTesting {

using TradingCore::NewsImpact;
using TradingCore::StatusBase;
using TradingCore::TimelineBand;
using TradingCore::TimelineMarker;
using TradingCore::TimelineReason;
using TradingCore::TimelineSegment;

inline Base::Date ny(int month, int day, int hour, int minute, int second = 0) {
    static const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    return *calendar.date(2026, month, day, hour, minute, second);
}

// Minutes after 09:00 on Tuesday 10 March 2026.
inline Base::Date at(int minutes) { return ny(3, 10, 9, 0) + minutes * 60.0; }

// A segment whose origin is its start.
inline TimelineSegment segment(Base::Date start, Base::Date end, StatusBase base, std::vector<TimelineReason> reasons = {},
                               std::optional<NewsImpact> impact = std::nullopt) {
    return TimelineSegment{start, end, start, base, std::nullopt, std::move(reasons), impact};
}

inline TimelineBand band(std::string id, std::string name, Base::Date start, Base::Date end,
                         std::optional<TradingCore::IntervalColor> color = std::nullopt) {
    return TimelineBand{std::move(id), std::move(name), start, end, color};
}

inline TimelineMarker marker(std::string id, Base::Date time, std::string label, NewsImpact impact = NewsImpact::high) {
    return TimelineMarker{std::move(id), time, std::move(label), "USD", impact, impact == NewsImpact::holiday};
}

}  // namespace WaylarkKit::TimelineTesting
