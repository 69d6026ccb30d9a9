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
    CalendarService& make() {
        service = std::make_unique<CalendarService>(fetcher, store, scheduler, CalendarService::Settings::application());
        return *service;
    }
    void refresh(bool force) {
        service->refresh(force);
        scheduler.runPending();
    }
    void scriptWeeks(int thisCount, int nextCount) {
        fetcher->script(FeedWeek::thisWeek, answer(200, feedOf(thisCount, thisMonday)));
        fetcher->script(FeedWeek::nextWeek, answer(200, feedOf(nextCount, nextMonday, "Next")));
    }
    // A service that already holds a good snapshot of both weeks, 20 minutes later.
    void makeLoaded(int thisCount = 10, int nextCount = 5) {
        fetcher = std::make_shared<Testing::ScriptedFetcher>(scheduler);
        store = std::make_shared<Testing::MemoryStore>();
        make();
        scriptWeeks(thisCount, nextCount);
        loadedAt = scheduler.now();
        refresh(false);
        ASSERT_EQ(service->events().size(), static_cast<std::size_t>(thisCount + nextCount));
        scheduler.advance(1200);
    }
    int fetches(FeedWeek week = FeedWeek::thisWeek) { return fetcher->fetchCount[week]; }

    Base::ManualScheduler scheduler{start};
    std::shared_ptr<Testing::ScriptedFetcher> fetcher = std::make_shared<Testing::ScriptedFetcher>(scheduler);
    std::shared_ptr<Testing::MemoryStore> store = std::make_shared<Testing::MemoryStore>();
    std::unique_ptr<CalendarService> service;
    Base::Date loadedAt;
};

// Every row of the status table, from a service holding both weeks.
TEST_F(CalendarServiceTest, StatusTable) {
    const auto newWeek = [] { return answer(200, feedOf(10, thisMonday, "Indicator", "2.0%")); };
    const struct {
        const char* name;
        std::vector<Base::Result<FeedResponse>> thisWeek, nextWeek;
        Status expected;      // `until` is relative to the refresh's instant
        std::size_t applied;  // events afterwards when applied, else 0
    } rows[] = {
        {"network error", {Base::makeError("Could not resolve host: feed.test")}, {},
         Status::failed("Could not resolve host: feed.test"), 0},
        {"not an array", {answer(200, R"({"events":[]})")}, {}, Status::failed("notAnArray"), 0},
        {"HTTP 302", {answer(302, "moved")}, {}, Status::failed("HTTP 302"), 0},
        {"429 with Retry-After", {answer(429, "", 120.0)}, {}, Status::rateLimited(Base::Date(120)), 0},
        {"429 without", {answer(429)}, {}, Status::rateLimited(Base::Date(300)), 0},
        {"empty week", {answer(200, "[]")}, {answer(200, "[]")}, Status::failed("citire respinsă: empty"), 0},
        {"next network error", {newWeek()}, {Base::makeError("Connection reset by peer")},
         Status::failed("Connection reset by peer"), 0},
        {"next not an array", {newWeek()}, {answer(200, "null")}, Status::failed("notAnArray"), 0},
        // A next week that does not come keeps the later weeks held; an empty one is applied as empty.
        {"next 404", {newWeek()}, {answer(404)}, Status::ok(), 15},
        {"next 429", {newWeek()}, {answer(429, "", 60.0)}, Status::rateLimited(Base::Date(60)), 15},
        {"next empty", {newWeek()}, {answer(200, "[]")}, Status::ok(), 10},
        {"next 429, then rejected", {answer(200, feedOf(10, Base::Date(1'700'000'000.0)))},  // November 2023
         {answer(429, "", 60.0)}, Status::failed("citire respinsă: implausibleDates(10)"), 0},
        {"applied", {newWeek()}, {answer(200, feedOf(5, nextMonday, "Next"))}, Status::ok(), 15},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        makeLoaded();
        const auto before = service->events();
        const auto savesBefore = store->saves;
        for (auto& a : row.thisWeek) fetcher->script(FeedWeek::thisWeek, a);
        for (auto& a : row.nextWeek) fetcher->script(FeedWeek::nextWeek, a);
        const Base::Date now = scheduler.now();
        refresh(true);

        Status expected = row.expected;
        if (expected.kind == Status::Kind::rateLimited) expected.until = now + expected.until.secondsSince1970;
        EXPECT_EQ(service->status(), expected);
        EXPECT_EQ(fetches(FeedWeek::nextWeek), row.nextWeek.empty() ? 1 : 2);
        if (row.applied) {
            EXPECT_EQ(service->events().size(), row.applied);
            EXPECT_EQ(service->events().front().forecast, "2.0%");
            EXPECT_EQ(service->lastSuccess(), now);
            EXPECT_EQ(store->saves, savesBefore + 1);
            EXPECT_EQ(store->cache, CalendarCache(now, service->events(), {}));
        } else {
            EXPECT_EQ(service->events(), before);
            EXPECT_EQ(service->lastSuccess(), loadedAt);
            EXPECT_EQ(store->saves, savesBefore);
        }
        if (std::string(row.name) == "next 429, then rejected") {
            // The next week's pause stays set although validation failed.
            scheduler.advance(30);
            refresh(true);
            EXPECT_EQ(service->status(), Status::rateLimited(now + 60));
        }
    }
}

TEST_F(CalendarServiceTest, TheSpacingGateCountsFailuresAndYieldsToForce) {
    makeLoaded();
    // 20 minutes after the last attempt: allowed. Make it fail.
    fetcher->script(FeedWeek::thisWeek, answer(500));
    refresh(false);
    EXPECT_EQ(fetches(), 2);
    EXPECT_EQ(service->status(), Status::failed("HTTP 500"));

    scheduler.advance(599);
    refresh(false);
    EXPECT_EQ(fetches(), 2);
    scheduler.advance(1);  // exactly minInterval after the failed attempt
    refresh(false);
    EXPECT_EQ(fetches(), 3);
    refresh(true);
    EXPECT_EQ(fetches(), 4);
}

TEST_F(CalendarServiceTest, ARateLimitPauseHoldsEvenForcedRefreshesUntilItsEnd) {
    makeLoaded();
    fetcher->script(FeedWeek::thisWeek, answer(429, "", 120.0));
    refresh(true);
    const Status limited = Status::rateLimited(start + 1200 + 120);
    ASSERT_EQ(service->status(), limited);

    scheduler.advance(119);
    refresh(true);
    EXPECT_EQ(service->status(), limited);
    EXPECT_EQ(fetches(), 2);

    scheduler.advance(1);  // exactly at the end of the pause
    scriptWeeks(10, 5);
    refresh(true);
    EXPECT_EQ(fetches(), 3);
    EXPECT_EQ(service->status(), Status::ok());
}

TEST_F(CalendarServiceTest, ASharpDropOfTheSameWeekIsRefusedAndAFailedSaveIsNot) {
    makeLoaded(120, 5);
    for (const auto& [count, expected] : std::vector<std::pair<int, Status>>{
             {30, Status::failed("citire respinsă: suspiciousDrop(previous: 120, now: 30)")},
             {47, Status::failed("citire respinsă: suspiciousDrop(previous: 120, now: 47)")},
             {48, Status::ok()},
         }) {
        scriptWeeks(count, 5);
        store->failSaves = true;  // costs only the next launch's head start
        refresh(true);
        EXPECT_EQ(service->status(), expected) << count;
    }
    EXPECT_EQ(service->events().size(), 53u);
    EXPECT_EQ(store->cache->events.size(), 125u);
}

TEST_F(CalendarServiceTest, ObserversHearOnlyRealChanges) {
    makeLoaded();
    int events = 0, lastSuccess = 0, changes = 0, status = 0;
    auto a = service->observeEvents([&] { ++events; });
    auto b = service->observeLastSuccess([&] { ++lastSuccess; });
    auto c = service->observeLastChanges([&] { ++changes; });
    auto d = service->observeStatus([&] { ++status; });
    for (int i = 0; i < 2; ++i) {  // the same snapshot twice, the clock standing still
        scriptWeeks(10, 5);
        refresh(true);
    }
    EXPECT_EQ(events, 0);
    EXPECT_EQ(lastSuccess, 1);
    EXPECT_EQ(changes, 1);  // from 15 additions to none
    EXPECT_EQ(status, 4);   // syncing, then ok, twice
}

TEST_F(CalendarServiceTest, TheCacheIsAdoptedOnlyWhenBelievable) {
    const struct {
        double stampOffset;
        std::size_t count;
        bool adopted;
    } cases[] = {{-30 * 86'400.0, 3, true}, {300, 3, true}, {301, 3, false}, {-60, 3000, true}, {-60, 3001, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stampOffset << " s, " << c.count << " events");
        store->cache = CalendarCache(start + c.stampOffset, std::vector<CalendarEvent>(c.count), {"e1"});
        make();
        EXPECT_EQ(service->status(), Status::idle());
        EXPECT_EQ(service->events().size(), c.adopted ? c.count : 0u);
        EXPECT_EQ(service->lastSuccess(), c.adopted ? std::optional(start + c.stampOffset) : std::nullopt);
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
    EXPECT_TRUE(service->isRefreshing());
    service->refresh(true);
    service->refresh(false);
    EXPECT_EQ(fetches(), 2);  // the loaded refresh and this one

    // Drive the first run to its end; the merged request then starts one run.
    while (fetcher->inFlight() > 0) {
        EXPECT_EQ(fetcher->inFlight(), 1u);
        fetcher->releaseOne();
        scheduler.runPending();
    }
    EXPECT_FALSE(service->isRefreshing());
    EXPECT_EQ(fetches(), 3);
    EXPECT_EQ(fetches(FeedWeek::nextWeek), 3);
    EXPECT_EQ(service->events().size(), 16u);  // the later run's answer stands
}

// Mended: an answer that arrives for a run that is over must not publish.
TEST_F(CalendarServiceTest, AStaleAnswerNeverPublishes) {
    makeLoaded();
    const auto oldCompletion = fetcher->lastCompletion;  // the loaded run's next-week request
    oldCompletion(answer(200, feedOf(1, nextMonday, "Stale")));  // after its run
    EXPECT_EQ(service->events().size(), 15u);

    // During a newer run: ignored too, and the newer run still completes.
    fetcher->holdAnswers = true;
    scriptWeeks(10, 6);
    service->refresh(true);
    fetcher->releaseAll();
    scheduler.runPending();  // the newer run now waits for its next week
    oldCompletion(answer(200, feedOf(1, nextMonday, "Stale")));
    EXPECT_EQ(service->events().size(), 15u);
    EXPECT_EQ(service->status(), Status::syncing());
    EXPECT_EQ(store->saves, 1);
    fetcher->releaseAll();
    scheduler.runPending();
    EXPECT_EQ(service->events().size(), 16u);
    EXPECT_EQ(store->saves, 2);
}

// Mended: a clock set back used to stop refreshes until it caught up again.
TEST_F(CalendarServiceTest, AClockSetBackNeverStopsRefreshes) {
    makeLoaded();
    // An attempt that lies in the future does not space out the next one.
    scheduler.setNow(start - 86'400);
    scriptWeeks(10, 5);
    refresh(false);
    EXPECT_EQ(fetches(), 2);

    // A pause set before the clock went back by a day is over.
    scheduler.setNow(start);
    fetcher->script(FeedWeek::thisWeek, answer(429, "", 600.0));
    refresh(true);
    ASSERT_EQ(service->status(), Status::rateLimited(start + 600));
    scheduler.setNow(start - 86'400);
    scriptWeeks(10, 5);
    refresh(true);
    EXPECT_EQ(fetches(), 4);

    // A pause up to an hour ahead is still honoured; further ahead it is a clock step.
    fetcher->script(FeedWeek::thisWeek, answer(429, "", 3600.0));
    refresh(true);
    ASSERT_EQ(service->status(), Status::rateLimited(scheduler.now() + 3600));
    refresh(true);
    EXPECT_EQ(fetches(), 5);
    scheduler.setNow(scheduler.now() - 1);
    scriptWeeks(10, 5);
    refresh(true);
    EXPECT_EQ(fetches(), 6);
}

}  // namespace
}  // namespace CalendarKit
