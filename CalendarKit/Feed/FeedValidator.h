#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "Base/Date.h"
#include "CalendarKit/Feed/FeedEvent.h"
#include "CalendarKit/Feed/FeedIssue.h"
#include "CalendarKit/Feed/FeedValidationPolicy.h"

namespace CalendarKit::FeedValidator {

// The plausibility gate for one freshly parsed week. Tests, in order, for an
// empty list, too many events, any event outside [now - pastLimit, now +
// futureLimit], and a sharp drop against the count the week held before
// (only when that count reached minPreviousForDropCheck); gives the first
// issue found, or nothing when the week is acceptable.
std::optional<FeedIssue> validate(const std::vector<FeedEvent>& events, std::int64_t previousSameWeekCount,
                                  Base::Date now, const FeedValidationPolicy& policy);

}  // namespace CalendarKit::FeedValidator
