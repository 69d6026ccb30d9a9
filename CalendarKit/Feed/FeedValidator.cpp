#include "CalendarKit/Feed/FeedValidator.h"

namespace CalendarKit::FeedValidator {

std::optional<FeedIssue> validate(const std::vector<FeedEvent>& events, std::int64_t previousSameWeekCount,
                                  Base::Date now, const FeedValidationPolicy& policy) {
    const auto count = static_cast<std::int64_t>(events.size());
    if (events.empty()) return FeedIssue::empty();
    if (count > policy.maxEvents) return FeedIssue::tooMany(count);

    const Base::Date lower = now - policy.pastLimit;
    const Base::Date upper = now + policy.futureLimit;
    std::int64_t outside = 0;
    for (const FeedEvent& event : events) {
        if (event.time < lower || event.time > upper) ++outside;
    }
    if (outside > 0) return FeedIssue::implausibleDates(outside);

    if (previousSameWeekCount < policy.minPreviousForDropCheck) return std::nullopt;
    const double retained = static_cast<double>(previousSameWeekCount) * policy.minRetainedFraction;
    if (retained > static_cast<double>(count)) return FeedIssue::suspiciousDrop(previousSameWeekCount, count);
    return std::nullopt;
}

}  // namespace CalendarKit::FeedValidator
