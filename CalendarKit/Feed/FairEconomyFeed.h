#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "CalendarKit/Feed/FeedError.h"
#include "CalendarKit/Feed/FeedEvent.h"

namespace CalendarKit {

// The accepted entries of one feed document, in document order, and how many
// elements of its array were dropped. events.size() + skippedCount is always
// the array's length.
struct FeedParseResult {
    std::vector<FeedEvent> events;
    std::size_t skippedCount = 0;

    bool operator==(const FeedParseResult&) const = default;
};

// The weekly economic-calendar feed: a JSON array of entries with "title",
// "country", "date", "impact" and optional "forecast" and "previous".
namespace FairEconomyFeed {

inline constexpr std::size_t maxBytes = 2'000'000;  // of one document
inline constexpr std::size_t maxItems = 5000;       // elements of its array

// Every byte is treated as hostile. The document is refused as a whole only
// when it is too large (tooLarge) or not a JSON array (notAnArray, also for
// nesting beyond what a feed ever needs); an entry that is not an object of
// the expected shape, holds an overlong text or a control or format
// character, a date that is not a strict internet date-time, or an unknown
// impact is dropped and counted. Accepted texts are kept as published: an
// entry that would need repair is refused, not repaired.
FeedResult<FeedParseResult> parse(std::string_view data);

}  // namespace FairEconomyFeed

}  // namespace CalendarKit
