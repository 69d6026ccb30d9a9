#include "CalendarKit/Service/CalendarService.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "Base/ManualScheduler.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"

namespace CalendarKit {
namespace {

using Status = CalendarService::Status;
using Testing::answer;
using Testing::feedOf;

// Tuesday 2026-03-10 16:00 UTC, in the New York week that began on Sunday 8 March.
constexpr Base::Date start(1'773'158'400.0);
constexpr Base::Date thisMonday(1'773'059'400.0);  // 2026-03-09 12:30 UTC
constexpr Base::Date nextMonday(1'773'664'200.0);  // 2026-03-16 12:30 UTC

class CalendarServiceTest : public ::testing::Test {
protected:
    void make() { service = std::make_unique<CalendarService>(fetcher, store, scheduler, settings); }
    void refresh(bool force) {
        service->refresh(force);
        scheduler.runPending();
    }
    void scriptWeeks(int thisCount, int nextCount) {
        fetcher->script(FeedWeek::thisWeek, answer(200, feedOf(thisCount, thisMonday)));
        fetcher->script(FeedWeek::nextWeek, answer(200, feedOf(nextCount, nextMonday, "Next")));
    }
    // A service that already holds a good snapshot of both weeks, 20 minutes later.
    void makeLoaded(int thisCount = 10) {
        fetcher = std::make_shared<Testing::ScriptedFetcher>(scheduler);
        store = std::make_shared<Testing::MemoryStore>();
        make();
        scriptWeeks(thisCount, 5);
        refresh(false);
        ASSERT_EQ(service->events().size(), static_cast<std::size_t>(thisCount + 5));
        scheduler.advance(1200);
    }
    int fetches(FeedWeek week = FeedWeek::thisWeek) { return fetcher->fetchCount[week]; }

    Base::ManualScheduler scheduler{start};
    CalendarService::Settings settings = CalendarService::Settings::application();
    std::shared_ptr<Testing::ScriptedFetcher> fetcher = std::make_shared<Testing::ScriptedFetcher>(scheduler);
    std::shared_ptr<Testing::MemoryStore> store = std::make_shared<Testing::MemoryStore>();
    std::unique_ptr<CalendarService> service;
};

// The rows of the status table that the hostile server cannot play (the
// others run end to end), from a service holding both weeks: a next week that
// does not come still lets the current one through.
TEST_F(CalendarServiceTest, StatusTableForTheNextWeek) {
    const auto newWeek = answer(200, feedOf(10, thisMonday, "Indicator", "2.0%"));
    const struct {
        std::vector<Base::Result<FeedResponse>> weeks;  // this week's answer, then the next week's
        Status expected;                                // `until` is relative to the refresh's instant
        std::size_t events;                             // held afterwards
    } rows[] = {
        {{newWeek, answer(429, "", 60.0)}, Status::rateLimited(Base::Date(60)), 15},  // the later week kept
        {{newWeek, answer(200, "[]")}, Status::ok(), 10},
        // The pause for the next week stays set although validation failed.
        {{answer(200, feedOf(10, Base::Date(1'700'000'000.0))), answer(429, "", 60.0)},
         Status::failed("citire respinsă: implausibleDates(10)"), 15},
    };
    for (const auto& row : rows) {
        makeLoaded();
        fetcher->script(FeedWeek::thisWeek, row.weeks[0]);
        fetcher->script(FeedWeek::nextWeek, row.weeks[1]);
        const Base::Date now = scheduler.now();
        refresh(true);
        Status expected = row.expected;
        if (expected.kind == Status::Kind::rateLimited) expected.until = now + expected.until.secondsSince1970;
        EXPECT_EQ(service->status(), expected);
        const bool applied = row.expected.kind != Status::Kind::failed;
        EXPECT_EQ(service->events().size(), row.events);
        EXPECT_EQ(service->events().front().forecast, applied ? "2.0%" : "1.0%");
        EXPECT_EQ(service->lastSuccess(), applied ? now : now - 1200);
        EXPECT_EQ(store->cache, CalendarCache(*service->lastSuccess(), service->events(), {}));
    }
    scheduler.advance(30);
    refresh(true);
    EXPECT_EQ(service->status(), Status::rateLimited(scheduler.now() + 30));
}

TEST_F(CalendarServiceTest, TheSpacingGateCountsFailuresAndYieldsToForceAndToAClockSetBack) {
    makeLoaded();
    fetcher->script(FeedWeek::thisWeek, answer(500));  // 20 minutes after the last attempt: allowed
    refresh(false);
    scheduler.advance(599);
    refresh(false);
    EXPECT_EQ(fetches(), 2);
    scheduler.advance(1);  // exactly minInterval after the failed attempt
    refresh(false);
    EXPECT_EQ(fetches(), 3);
    refresh(true);
    EXPECT_EQ(fetches(), 4);
    // Mended: an attempt that lies in the future used to space out refreshes until the clock caught up.
    scheduler.setNow(start - 86'400);
    refresh(false);
    EXPECT_EQ(fetches(), 5);
}

TEST_F(CalendarServiceTest, ARateLimitPauseHoldsEvenForcedRefreshesUntilItsEndOrAClockStep) {
    makeLoaded();
    fetcher->script(FeedWeek::thisWeek, answer(429, "", 120.0));
    refresh(true);
    scheduler.advance(119);
    refresh(true);
    EXPECT_EQ(fetches(), 2);
    scheduler.advance(1);  // exactly at the end of the pause
    fetcher->script(FeedWeek::thisWeek, answer(429, "", 3600.0));
    refresh(true);
    refresh(true);  // an hour ahead is still honoured
    EXPECT_EQ(fetches(), 3);
    // Mended: a pause further ahead than an hour can only come from a clock
    // set back, and used to stop refreshes until the clock caught up.
    scheduler.setNow(scheduler.now() - 1);
    refresh(true);
    EXPECT_EQ(fetches(), 4);
}

TEST_F(CalendarServiceTest, ASharpDropOfTheSameWeekIsRefusedAndAFailedSaveIsNot) {
    makeLoaded(120);
    for (const auto& [count, expected] : std::vector<std::pair<int, Status>>{
             {47, Status::failed("citire respinsă: suspiciousDrop(previous: 120, now: 47)")},
             {48, Status::ok()}}) {
        scriptWeeks(count, 5);
        store->failSaves = true;  // costs only the next launch's head start
        refresh(true);
        EXPECT_EQ(service->status(), expected) << count;
    }
    EXPECT_EQ(service->events().size(), 53u);
    EXPECT_EQ(store->cache->events.size(), 125u);
}

TEST_F(CalendarServiceTest, TheCacheIsAdoptedOnlyWhenBelievable) {
    const std::tuple<double, std::size_t, bool> cases[] = {
        {-30 * 86'400.0, 3, true}, {300, 3, true}, {301, 3, false}, {-60, 3000, true}, {-60, 3001, false}};
    for (const auto& [stampOffset, count, adopted] : cases) {
        store->cache = CalendarCache(start + stampOffset, std::vector<CalendarEvent>(count), {"e1"});
        make();
        EXPECT_EQ(service->events().size(), adopted ? count : 0u) << stampOffset << " s, " << count;
        EXPECT_EQ(service->lastSuccess(), adopted ? std::optional(start + stampOffset) : std::nullopt);
    }
}

// Mended: a forced refresh during a run used to start a second run beside it.
TEST_F(CalendarServiceTest, OneRefreshAtATimeAndForcedRequestsMergeIntoOneMoreRun) {
    makeLoaded();
    fetcher->holdAnswers = true;
    scriptWeeks(10, 5);
    scriptWeeks(10, 6);
    // Asked again by an observer hearing "syncing", and then by hand.
    bool asked = false;
    auto again = service->observeStatus([&] {
        if (!std::exchange(asked, true)) service->refresh(true);
    });
    service->refresh(true);
    service->refresh(true);
    service->refresh(false);
    while (fetcher->inFlight() > 0) {
        EXPECT_EQ(fetcher->inFlight(), 1u);
        fetcher->releaseOne();
        scheduler.runPending();
    }
    EXPECT_FALSE(service->isRefreshing());
    EXPECT_EQ(fetches(), 3);                   // the loaded refresh, this one and the merged one
    EXPECT_EQ(service->events().size(), 16u);  // the later run's answer stands
}

// Mended: an answer that arrives for a run that is over must not publish.
TEST_F(CalendarServiceTest, AStaleAnswerNeverPublishes) {
    makeLoaded();
    const auto stale = [done = fetcher->lastCompletion] { done(answer(200, feedOf(1, nextMonday, "Stale"))); };
    stale();  // after its run
    fetcher->holdAnswers = true;
    scriptWeeks(10, 6);
    service->refresh(true);
    fetcher->releaseAll();
    scheduler.runPending();  // the newer run now waits for its next week
    stale();
    EXPECT_EQ(service->events().size(), 15u);
    EXPECT_EQ(service->status(), Status::syncing());
    fetcher->releaseAll();
    scheduler.runPending();
    EXPECT_EQ(service->events().size(), 16u);
    EXPECT_EQ(store->saves, 2);
}

}  // namespace
}  // namespace CalendarKit
