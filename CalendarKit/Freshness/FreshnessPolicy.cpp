#include "CalendarKit/Freshness/FreshnessPolicy.h"

#include <algorithm>

#include "Base/Calendar.h"

namespace CalendarKit {

TradingCore::DataConfidence FreshnessPolicy::confidence(std::optional<Base::Date> lastSuccess,
                                                        std::optional<DateInterval> coverage,
                                                        Base::Date now) const {
    using TradingCore::DataConfidence;
    if (!lastSuccess || !coverage || !coverage->contains(now)) return DataConfidence::unknown;
    if (*lastSuccess - now > maxFutureSkew) return DataConfidence::unknown;
    const double age = std::max(0.0, now - *lastSuccess);
    if (age <= liveWithin) return DataConfidence::live;
    if (age <= degradedWithin) return DataConfidence::degraded;
    return DataConfidence::unknown;
}

std::optional<DateInterval> FreshnessPolicy::coverage(const std::vector<CalendarEvent>& events,
                                                      const Base::TimeZone& timeZone) {
    if (events.empty()) return std::nullopt;
    const auto [earliest, latest] = std::minmax_element(
        events.begin(), events.end(), [](const CalendarEvent& a, const CalendarEvent& b) { return a.time < b.time; });
    const Base::Calendar calendar(timeZone);
    const std::optional<Base::Date> start = calendar.startOfDay(earliest->time);
    const std::optional<Base::Date> end = calendar.startOfDay(latest->time, 1);
    if (!start || !end) return std::nullopt;
    return DateInterval{*start, *end};
}

}  // namespace CalendarKit
