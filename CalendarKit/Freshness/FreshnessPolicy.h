#pragma once

#include <optional>
#include <vector>

#include "Base/Date.h"
#include "Base/TimeZone.h"
#include "CalendarKit/Freshness/DateInterval.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "TradingCore/Model/DataConfidence.h"

namespace CalendarKit {

// How far the calendar's news can be trusted at an instant, from the time of
// the last successful refresh and the days its events cover.
struct FreshnessPolicy {
    double liveWithin = 0;      // greatest age, in seconds, still rated live
    double degradedWithin = 0;  // greatest age still rated degraded

    // A last success up to this far after `now` is read as age 0 (clocks
    // differ a little); further ahead it means the clock was set back, and
    // data of unknown age must not show as live.
    static constexpr double maxFutureSkew = 300;

    // unknown without a last success, without coverage, or with `now` outside
    // the coverage (both ends inside); then by age, both bounds inclusive.
    TradingCore::DataConfidence confidence(std::optional<Base::Date> lastSuccess,
                                           std::optional<DateInterval> coverage, Base::Date now) const;

    // From midnight of the earliest event's day to midnight after the latest
    // event's day in the zone (calendar days, so 23 or 25 hours across a clock
    // change); nothing for no events.
    static std::optional<DateInterval> coverage(const std::vector<CalendarEvent>& events,
                                                const Base::TimeZone& timeZone);

    bool operator==(const FreshnessPolicy&) const = default;
};

}  // namespace CalendarKit
