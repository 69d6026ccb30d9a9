#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Base/Scheduler.h"
#include "CalendarKit/Feed/FeedFetcherOptions.h"
#include "CalendarKit/Feed/FeedFetching.h"
#include "CalendarKit/Feed/FeedWorkers.h"

namespace CalendarKit {

// Downloads one weekly feed file over a locked-down HTTPS connection: TLS 1.2
// or newer with verification, no cookies, redirects only to the same host over
// https, and a body cap enforced before and while it streams. Each fetch runs
// on its own worker thread; the result comes back through the scheduler.
// It brings the whole TLS stack into the process that links it, so the
// program itself fetches through `SpawnedFeedFetcher` and the small download
// program instead.
class FeedFetcher final : public FeedFetching {
public:

    explicit FeedFetcher(Base::Scheduler& scheduler, FeedFetcherOptions options = {});

    [[nodiscard]] Base::TaskHandle fetch(FeedWeek week, Completion completion) override;

    // The one blocking exchange behind `fetch`, on the calling thread. Gives up
    // early once `cancelled` is set.
    Base::Result<FeedResponse> fetchNow(FeedWeek week, const std::atomic<bool>& cancelled) const;
    static Base::Result<FeedResponse> download(const FeedFetcherOptions& options, FeedWeek week,
                                               const std::atomic<bool>& cancelled);

    const FeedFetcherOptions& options() const { return options_; }

    // The address of one week's file: the base with the file name appended
    // as one more path component.
    std::string address(FeedWeek week) const;
    static std::string address(const FeedFetcherOptions& options, FeedWeek week);

    // Seconds from a Retry-After value: a plain decimal number read in the C
    // locale with nothing left over, after trimming spaces and tabs; 0 and
    // below give 0, more than an hour gives an hour; anything else (an HTTP
    // date, a word, an empty text, infinity) gives nothing.
    static std::optional<double> retryAfter(std::optional<std::string_view> value);

private:
    FeedFetcherOptions options_;
    // Last, so its running fetches stop before the options go.
    FeedWorkers workers_;
};

}  // namespace CalendarKit
