#pragma once

#include <cstdint>

namespace CalendarKit {

// The plausibility limits a freshly parsed week must meet. No defaults: the
// application states its own numbers where it builds the calendar.
struct FeedValidationPolicy {
    std::int64_t maxEvents = 0;           // most events one week may hold
    double pastLimit = 0;                 // seconds an event may lie before now
    double futureLimit = 0;               // seconds an event may lie after now
    double minRetainedFraction = 0;       // least share of the earlier count to keep
    std::int64_t minPreviousForDropCheck = 0;  // the drop test needs this many before

    bool operator==(const FeedValidationPolicy&) const = default;
};

}  // namespace CalendarKit
