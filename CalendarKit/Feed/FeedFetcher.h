#pragma once

#include <atomic>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "Base/Scheduler.h"
#include "CalendarKit/Feed/FeedFetching.h"

namespace CalendarKit {

struct FeedFetcherOptions {
    // Scheme, host and optional port (and path) under which the two weekly
    // files live. Must be https.
    std::string baseAddress = "https://nfs.faireconomy.media";
    std::string userAgent = "OrlTradingWaylark/0.1";
    std::size_t maxBytes = 2'000'000;
    // A fetch fails when no byte arrives for `requestTimeout` seconds (also
    // the limit for connecting), or when it takes `resourceTimeout` in all.
    double requestTimeout = 30;
    double resourceTimeout = 60;
    // Same-host https redirects followed before the last 3xx is handed back.
    int maxRedirects = 5;
    // For tests only: a PEM file of trusted roots instead of the system's,
    // and "host:port:address" entries that bypass name resolution.
    std::string certificateAuthorityFile;
    std::vector<std::string> resolve;
};

// Downloads one weekly feed file over a locked-down HTTPS connection: TLS 1.2
// or newer with verification, no cookies, redirects only to the same host over
// https, and a body cap enforced before and while it streams. Each fetch runs
// on its own worker thread; the result comes back through the scheduler.
class FeedFetcher final : public FeedFetching {
public:
    static constexpr std::string_view defaultBaseAddress = "https://nfs.faireconomy.media";
    static constexpr double maxRetryAfter = 3600;

    explicit FeedFetcher(Base::Scheduler& scheduler, FeedFetcherOptions options = {});
    // Aborts every transfer still running and waits for its thread.
    ~FeedFetcher() override;
    FeedFetcher(const FeedFetcher&) = delete;
    FeedFetcher& operator=(const FeedFetcher&) = delete;

    [[nodiscard]] Base::TaskHandle fetch(FeedWeek week, Completion completion) override;

    // The one blocking exchange behind `fetch`, on the calling thread. Gives up
    // early once `cancelled` is set.
    Base::Result<FeedResponse> fetchNow(FeedWeek week, const std::atomic<bool>& cancelled) const;

    const FeedFetcherOptions& options() const { return options_; }

    // The address of one week's file: the base with the file name appended
    // as one more path component.
    std::string address(FeedWeek week) const;

    // Seconds from a Retry-After value: a plain decimal number read in the C
    // locale with nothing left over, after trimming spaces and tabs; 0 and
    // below give 0, more than an hour gives an hour; anything else (an HTTP
    // date, a word, an empty text, infinity) gives nothing.
    static std::optional<double> retryAfter(std::optional<std::string_view> value);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished = std::make_shared<std::atomic<bool>>(false);
    };
    void joinFinishedWorkers();

    Base::Scheduler& scheduler_;
    FeedFetcherOptions options_;
    std::atomic<bool> stopping_{false};
    std::mutex workersMutex_;
    std::list<Worker> workers_;
};

}  // namespace CalendarKit
