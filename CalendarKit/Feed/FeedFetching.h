#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Result.h"
#include "Base/Scheduler.h"

namespace CalendarKit {

// Which of the feed's two weekly files to fetch.
enum class FeedWeek { thisWeek, nextWeek };

inline constexpr std::array<FeedWeek, 2> allFeedWeeks{FeedWeek::thisWeek, FeedWeek::nextWeek};

// "thisweek" or "nextweek", the week's part of the file name.
std::string_view rawValue(FeedWeek week);
std::optional<FeedWeek> feedWeekFromRaw(std::string_view raw);

// One answer of the feed server, whatever its status: the service, not the
// fetcher, decides what a 200, a 429 or a 503 means.
struct FeedResponse {
    // The longest wait a Retry-After may ask for.
    static constexpr double maxRetryAfter = 3600;

    int status = 0;
    std::string data;                  // the whole body, never more than the fetcher's cap
    std::optional<double> retryAfter;  // seconds, already clamped to [0, maxRetryAfter]

    bool operator==(const FeedResponse&) const = default;
};

// The one way the calendar service reaches the network, so tests can drive it
// with scripted answers.
class FeedFetching {
public:
    // The error's message is the text the service shows: "tooLarge" for a body
    // over the cap, otherwise words for the transport or server failure.
    using Completion = std::function<void(Base::Result<FeedResponse>)>;

    virtual ~FeedFetching() = default;

    // Starts fetching one week's file. `completion` runs exactly once, later,
    // on the main thread through the scheduler, unless the returned handle is
    // dropped or cancelled first; then it never runs.
    [[nodiscard]] virtual Base::TaskHandle fetch(FeedWeek week, Completion completion) = 0;
};

}  // namespace CalendarKit
