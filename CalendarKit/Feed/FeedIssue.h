#pragma once

#include <cstdint>
#include <string>

namespace CalendarKit {

// Why a parsed week was refused as implausible. Like FeedError it has no
// message of its own: its description is its plain value, such as
// "tooMany(1600)" or "suspiciousDrop(previous: 120, now: 30)".
struct FeedIssue {
    enum class Kind { tooMany, implausibleDates, suspiciousDrop, empty };

    Kind kind = Kind::empty;
    // tooMany: the list's count; implausibleDates: how many lie outside the window.
    std::int64_t count = 0;
    // suspiciousDrop: the earlier and the new count of the week.
    std::int64_t previous = 0;
    std::int64_t now = 0;

    static FeedIssue tooMany(std::int64_t count) { return {Kind::tooMany, count, 0, 0}; }
    static FeedIssue implausibleDates(std::int64_t count) { return {Kind::implausibleDates, count, 0, 0}; }
    static FeedIssue suspiciousDrop(std::int64_t previous, std::int64_t now) {
        return {Kind::suspiciousDrop, 0, previous, now};
    }
    static FeedIssue empty() { return {Kind::empty, 0, 0, 0}; }

    std::string description() const;

    bool operator==(const FeedIssue&) const = default;
};

}  // namespace CalendarKit
