#include "CalendarKit/Service/CalendarService.h"

#include <algorithm>
#include <utility>

#include "CalendarKit/Diff/SnapshotDiff.h"
#include "CalendarKit/Feed/FairEconomyFeed.h"
#include "CalendarKit/Feed/FeedValidator.h"
#include "CalendarKit/Freshness/FreshnessPolicy.h"
#include "CalendarKit/Normalization/EventNormalizer.h"
#include "CalendarKit/Reconcile/EventReconciler.h"

namespace CalendarKit {

namespace {

constexpr std::string_view rejectedPrefix = "citire respinsă: ";

}  // namespace

CalendarService::Settings CalendarService::Settings::application() {
    Settings settings;
    settings.timeZone = EventNormalizer::newYork();
    return settings;
}

CalendarService::CalendarService(std::shared_ptr<FeedFetching> fetcher, std::shared_ptr<CalendarStore> store,
                                 const Base::Clock& clock, Settings settings)
    : fetcher_(std::move(fetcher)),
      store_(std::move(store)),
      clock_(clock),
      settings_(std::move(settings)),
      calendar_(settings_.timeZone) {
    restore();
}

CalendarService::~CalendarService() = default;

void CalendarService::restore() {
    if (!store_) return;
    auto cache = store_->load();
    if (!cache) return;
    const Base::Date now = clock_.now();
    if (cache->lastSuccess > now + maxCacheSkew) return;
    const std::int64_t maxCached = 2 * settings_.validationPolicy.maxEvents;
    if (static_cast<std::int64_t>(cache->events.size()) > maxCached) return;
    events_.set(std::move(cache->events));
    lastSuccess_.set(cache->lastSuccess);
    pending_ = std::move(cache->pendingRemovals);
    lastAttempt_ = cache->lastSuccess;
}

std::optional<DateInterval> CalendarService::coverage() const {
    return FreshnessPolicy::coverage(events_.get(), settings_.timeZone);
}

Base::Subscription CalendarService::observeEvents(std::function<void()> observer) {
    return events_.observe(std::move(observer));
}
Base::Subscription CalendarService::observeLastSuccess(std::function<void()> observer) {
    return lastSuccess_.observe(std::move(observer));
}
Base::Subscription CalendarService::observeStatus(std::function<void()> observer) {
    return status_.observe(std::move(observer));
}
Base::Subscription CalendarService::observeLastChanges(std::function<void()> observer) {
    return lastChanges_.observe(std::move(observer));
}

void CalendarService::refresh(bool force) {
    if (running_) {
        // The user asked for fresh data while a run is under way: that run may
        // already hold an older answer, so one more run follows it.
        if (force) forcedRequestWaiting_ = true;
        return;
    }
    start(force);
}

void CalendarService::start(bool force) {
    const Base::Date now = clock_.now();

    if (rateLimitedUntil_ && now < *rateLimitedUntil_) {
        // No answer ever asks for more than maxPause; a pause further ahead
        // means the clock went back, and honouring it could stop refreshes
        // for as long as the clock was wrong.
        const double longestPause = std::max(maxPause, settings_.defaultRetryAfter);
        if (*rateLimitedUntil_ - now <= longestPause) {
            status_.set(Status::rateLimited(*rateLimitedUntil_));
            return;
        }
    }
    // A last attempt later than now also means the clock went back: refresh
    // rather than wait until the clock catches up with it.
    if (!force && lastAttempt_ && *lastAttempt_ <= now && settings_.minInterval > now - *lastAttempt_) return;

    // Marked as running before anyone hears of it, so an observer that asks
    // for a refresh on "syncing" is merged rather than starting a second run.
    lastAttempt_ = now;
    running_ = true;
    const std::uint64_t run = ++currentRun_;
    status_.set(Status::syncing());
    fetch_ = fetcher_->fetch(FeedWeek::thisWeek, [this, run, now](Base::Result<FeedResponse> result) {
        onThisWeek(run, now, std::move(result));
    });
}

void CalendarService::onThisWeek(std::uint64_t run, Base::Date now, Base::Result<FeedResponse> result) {
    if (run != currentRun_ || !running_) return;
    if (!result) return fail(result.error().message);
    const FeedResponse& response = *result;
    if (response.status == 429) {
        pause(response, now);
        return finish();
    }
    if (response.status != 200) return fail("HTTP " + std::to_string(response.status));
    auto parsed = FairEconomyFeed::parse(response.data);
    if (!parsed) return fail(std::string(description(parsed.error())));

    fetch_ = fetcher_->fetch(FeedWeek::nextWeek, [this, run, now, thisWeek = std::move(parsed).value().events](
                                                     Base::Result<FeedResponse> next) mutable {
        onNextWeek(run, now, std::move(thisWeek), std::move(next));
    });
}

void CalendarService::onNextWeek(std::uint64_t run, Base::Date now, std::vector<FeedEvent> thisWeek,
                                 Base::Result<FeedResponse> result) {
    if (run != currentRun_ || !running_) return;
    if (!result) return fail(result.error().message);
    const FeedResponse& response = *result;
    std::optional<std::vector<FeedEvent>> next;
    if (response.status == 200) {
        auto parsed = FairEconomyFeed::parse(response.data);
        if (!parsed) return fail(std::string(description(parsed.error())));
        next = std::move(parsed).value().events;
    } else if (response.status == 429) {
        pause(response, now);
    }
    // Any other answer for the next week still lets the current week through;
    // the later weeks already held are kept.

    if (const auto issue = validate(thisWeek, next, now)) {
        return fail(std::string(rejectedPrefix) + issue->description());
    }
    apply(thisWeek, next, now);
    finish();
}

std::optional<FeedIssue> CalendarService::validate(const std::vector<FeedEvent>& thisWeek,
                                                   const std::optional<std::vector<FeedEvent>>& next,
                                                   Base::Date now) const {
    // The drop test compares the week with what the same week held before.
    std::optional<std::string> currentKey;
    for (const auto& event : thisWeek) {
        std::string key = weekKey(event.time);
        if (!currentKey || key > *currentKey) currentKey = std::move(key);
    }
    std::int64_t previousCount = 0;
    if (currentKey) {
        previousCount = std::count_if(events_.get().begin(), events_.get().end(),
                                      [&](const CalendarEvent& e) { return weekKey(e.time) == *currentKey; });
    }
    if (auto issue = FeedValidator::validate(thisWeek, previousCount, now, settings_.validationPolicy)) return issue;
    if (next && !next->empty()) return FeedValidator::validate(*next, 0, now, settings_.validationPolicy);
    return std::nullopt;
}

void CalendarService::apply(const std::vector<FeedEvent>& thisWeek, const std::optional<std::vector<FeedEvent>>& next,
                            Base::Date now) {
    std::vector<CalendarEvent> incoming = EventNormalizer::normalize(thisWeek, settings_.timeZone);
    if (next) {
        auto nextEvents = EventNormalizer::normalize(*next, settings_.timeZone);
        incoming.insert(incoming.end(), std::make_move_iterator(nextEvents.begin()),
                        std::make_move_iterator(nextEvents.end()));
    } else {
        // The next week did not come: keep the later weeks held so far.
        std::optional<std::string> latestKey;
        for (const auto& event : incoming) {
            std::string key = weekKey(event.time);
            if (!latestKey || key > *latestKey) latestKey = std::move(key);
        }
        for (const auto& event : events_.get()) {
            if (!latestKey || weekKey(event.time) > *latestKey) incoming.push_back(event);
        }
    }

    auto reconciled = EventReconciler::reconcile(events_.get(), incoming, pending_, now, imminentWithin);
    auto changes = SnapshotDiff::compare(events_.get(), reconciled.events);
    lastChanges_.set(std::move(changes));
    events_.set(std::move(reconciled.events));
    pending_ = std::move(reconciled.pending);
    lastSuccess_.set(now);
    if (status_.get().kind != Status::Kind::rateLimited) status_.set(Status::ok());

    // A cache that cannot be written costs only the head start of the next
    // launch; the events in memory are good, so the status stays as it is.
    if (store_) (void)store_->save(CalendarCache(now, events_.get(), pending_));
}

void CalendarService::pause(const FeedResponse& response, Base::Date now) {
    const double delay = response.retryAfter.value_or(settings_.defaultRetryAfter);
    rateLimitedUntil_ = now + delay;
    status_.set(Status::rateLimited(*rateLimitedUntil_));
}

void CalendarService::fail(std::string message) {
    status_.set(Status::failed(std::move(message)));
    finish();
}

void CalendarService::finish() {
    running_ = false;
    if (forcedRequestWaiting_) {
        forcedRequestWaiting_ = false;
        start(true);
    }
}

std::string CalendarService::weekKey(Base::Date date) const { return EventNormalizer::weekKey(date, calendar_); }

}  // namespace CalendarKit
