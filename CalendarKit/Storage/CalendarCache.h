#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "Base/Date.h"
#include "Base/Json.h"
#include "Base/Result.h"
#include "CalendarKit/Normalization/CalendarEvent.h"

namespace CalendarKit {

// The calendar's last accepted snapshot as it is kept between runs.
struct CalendarCache {
    static constexpr std::int64_t currentVersion = 1;

    std::int64_t version = currentVersion;
    Base::Date lastSuccess;               // the refresh that produced the snapshot
    std::vector<CalendarEvent> events;    // in the service's order, by time
    std::set<std::string> pendingRemovals;  // ids kept for one more refresh

    CalendarCache() = default;
    CalendarCache(Base::Date lastSuccess_, std::vector<CalendarEvent> events_, std::set<std::string> pendingRemovals_)
        : lastSuccess(lastSuccess_), events(std::move(events_)), pendingRemovals(std::move(pendingRemovals_)) {}

    bool operator==(const CalendarCache&) const = default;
};

// {"events": [...], "lastSuccess": seconds since 1970, "pendingRemovals": [...],
// "version": 1}. Reading needs all four keys and ignores others; it does not
// judge the version, which is the store's business.
Base::Json toJson(const CalendarCache& cache);
template <>
Base::Result<CalendarCache> fromJson<CalendarCache>(const Base::Json& json);

}  // namespace CalendarKit
