#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/TimeZone.h"
#include "CalendarKit/Diff/CalendarChange.h"
#include "CalendarKit/Feed/FeedEvent.h"
#include "CalendarKit/Feed/FeedFetching.h"
#include "CalendarKit/Feed/FeedIssue.h"
#include "CalendarKit/Feed/FeedValidationPolicy.h"
#include "CalendarKit/Freshness/DateInterval.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "CalendarKit/Service/CalendarServiceStatus.h"
#include "CalendarKit/Storage/CalendarStore.h"

namespace CalendarKit {

// The one stateful object of the economic calendar: the current events, the
// refresh against the weekly feed, the status the panel shows, the spacing of
// refreshes and the pauses a 429 imposes, and the cache. Lives on the main
// thread; the fetcher hands its answers back there.
//
// At most one refresh runs at a time. A forced refresh asked for during a run
// is remembered and runs once that run has finished (several such requests
// make one run); a non-forced one is dropped, as it would be spaced out anyway.
class CalendarService {
public:
    using Status = CalendarServiceStatus;

    struct Settings {
        Base::TimeZone timeZone = Base::TimeZone::utc();
        double minInterval = 600;        // seconds between non-forced refreshes
        double defaultRetryAfter = 300;  // pause after a 429 without a usable Retry-After
        FeedValidationPolicy validationPolicy{1500, 1'209'600, 2'419'200, 0.4, 20};

        // New York weeks with the limits above.
        static Settings application();
    };

    // A pause ahead of now by more than this (or than defaultRetryAfter, if
    // longer) can only come from a clock that was set back; it counts as over.
    static constexpr double maxPause = 3600;
    // A cache stamped further ahead than this is not believed.
    static constexpr double maxCacheSkew = 300;
    // Vanished events this close ahead stay for one more refresh.
    static constexpr double imminentWithin = 7200;

    // Restores the events from the store when its snapshot is believable.
    CalendarService(std::shared_ptr<FeedFetching> fetcher, std::shared_ptr<CalendarStore> store,
                    const Base::Clock& clock, Settings settings);
    ~CalendarService();
    CalendarService(const CalendarService&) = delete;
    CalendarService& operator=(const CalendarService&) = delete;

    // Fetches both weeks and applies them, unless a 429 pause is running or,
    // when not forced, the last attempt was less than minInterval ago. Every
    // outcome lands in status() and the other observed values.
    void refresh(bool force);

    const std::vector<CalendarEvent>& events() const { return events_.get(); }
    const std::optional<Base::Date>& lastSuccess() const { return lastSuccess_.get(); }
    const Status& status() const { return status_.get(); }
    const std::vector<CalendarChange>& lastChanges() const { return lastChanges_.get(); }
    // The whole days the events cover, in the service's zone.
    std::optional<DateInterval> coverage() const;
    // Whether a refresh is fetching now.
    bool isRefreshing() const { return running_; }

    // Observers hear of a value only when it really changed.
    [[nodiscard]] Base::Subscription observeEvents(std::function<void()> observer);
    [[nodiscard]] Base::Subscription observeLastSuccess(std::function<void()> observer);
    [[nodiscard]] Base::Subscription observeStatus(std::function<void()> observer);
    [[nodiscard]] Base::Subscription observeLastChanges(std::function<void()> observer);

private:
    void restore();
    void start(bool force);
    void onThisWeek(std::uint64_t run, Base::Date now, Base::Result<FeedResponse> result);
    void onNextWeek(std::uint64_t run, Base::Date now, std::vector<FeedEvent> thisWeek,
                    Base::Result<FeedResponse> result);
    std::optional<FeedIssue> validate(const std::vector<FeedEvent>& thisWeek,
                                      const std::optional<std::vector<FeedEvent>>& next, Base::Date now) const;
    void apply(const std::vector<FeedEvent>& thisWeek, const std::optional<std::vector<FeedEvent>>& next,
               Base::Date now);
    void pause(const FeedResponse& response, Base::Date now);
    void fail(std::string message);
    void finish();
    std::string weekKey(Base::Date date) const;

    std::shared_ptr<FeedFetching> fetcher_;
    std::shared_ptr<CalendarStore> store_;
    const Base::Clock& clock_;
    Settings settings_;
    Base::Calendar calendar_;

    Base::Observable<std::vector<CalendarEvent>> events_;
    Base::Observable<std::optional<Base::Date>> lastSuccess_;
    Base::Observable<Status> status_{Status::idle()};
    Base::Observable<std::vector<CalendarChange>> lastChanges_;
    std::set<std::string> pending_;
    std::optional<Base::Date> rateLimitedUntil_;
    std::optional<Base::Date> lastAttempt_;

    bool running_ = false;
    bool forcedRequestWaiting_ = false;
    // Each run's answers carry its number; an answer of any other run is stale
    // and dropped, so it can never publish over a newer state.
    std::uint64_t currentRun_ = 0;
    // Last, so it goes first: an answer still under way is never delivered to
    // a service that is gone.
    Base::TaskHandle fetch_;
};

}  // namespace CalendarKit
