// The service with the real fetcher, the real cache file and the scripted
// HTTPS server: what reaches the user's disk and screen.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "Base/FileSystem.h"
#include "Base/ManualScheduler.h"
#include "CalendarKit/Feed/FeedFetcher.h"
#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/Storage/FileCalendarStore.h"
#include "CalendarKit/tests/service/TestFeedServer.h"

namespace CalendarKit {
namespace {

using Status = CalendarService::Status;
using Base::Testing::readBytes;

// Tuesday 2026-03-10 16:00 UTC, inside the sample feeds' first week.
constexpr Base::Date start(1'773'158'400.0);

class ServiceEndToEndTest : public Testing::FeedServerTest {
protected:
    std::unique_ptr<CalendarService> makeService(const std::string& scenario, double timeout = 30) {
        auto options = server->options(scenario);
        options.requestTimeout = timeout;
        options.resourceTimeout = 3 * timeout;
        auto fetcher = std::make_shared<FeedFetcher>(scheduler, options);
        auto store = std::make_shared<FileCalendarStore>(cacheFile);
        return std::make_unique<CalendarService>(fetcher, store, scheduler, CalendarService::Settings::application());
    }

    void refreshAndWait(CalendarService& service, bool force) {
        service.refresh(force);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (service.isRefreshing() && std::chrono::steady_clock::now() < deadline) {
            scheduler.waitForDue(1);
            scheduler.runPending();
        }
        ASSERT_FALSE(service.isRefreshing()) << "no answer within 30 s";
    }

    Base::ManualScheduler scheduler{start};
    Base::Testing::TemporaryFolder temp;
    std::filesystem::path cacheFile = FileCalendarStore::defaultPath(temp.path() / "OrlTradingWaylark");
};

TEST_F(ServiceEndToEndTest, ARefreshFillsTheEventsAndTheCacheAndANewServiceRestoresThem) {
    auto service = makeService("ok");
    refreshAndWait(*service, false);
    ASSERT_EQ(service->status(), Status::ok());
    ASSERT_EQ(service->events().size(), 44u);
    EXPECT_EQ(service->lastSuccess(), start);
    // In time order across both files, with New York week keys across the clock change.
    EXPECT_EQ(service->events().front().id, "2026-03-08:CNY:trade-balance:0");
    EXPECT_EQ(service->events().back().id, "2026-03-15:CAD:retail-sales-m-m:0");
    EXPECT_TRUE(service->coverage().value().contains(start));
    EXPECT_EQ(Base::FileSystem::permissions(cacheFile), 0600);

    // Restored, and within ten minutes of the cached success nothing is fetched.
    scheduler.advance(60);
    const auto asked = server->requestsFor("status503").size();
    auto restored = makeService("status503");
    EXPECT_EQ(restored->events(), service->events());
    EXPECT_EQ(restored->lastSuccess(), start);
    refreshAndWait(*restored, false);
    EXPECT_EQ(server->requestsFor("status503").size(), asked);
    EXPECT_EQ(restored->status(), Status::idle());

    // A missing next week still applies the current one and keeps the next held.
    scheduler.advance(3600);
    auto partial = makeService("redirect-same+status404");
    refreshAndWait(*partial, true);
    EXPECT_EQ(partial->status(), Status::ok());
    EXPECT_EQ(partial->events(), service->events());
    EXPECT_EQ(makeService("ok")->lastSuccess(), start + 3660);
}

TEST_F(ServiceEndToEndTest, EveryBadAnswerLeavesTheEventsAndTheCacheFileAlone) {
    refreshAndWait(*makeService("ok"), false);
    const std::string cached = readBytes(cacheFile);
    const auto cachedEvents = makeService("ok")->events();
    ASSERT_EQ(cachedEvents.size(), 44u);

    const struct {
        const char* scenario;
        std::string expected;  // the failure text, or "rateLimited +<seconds>"
    } cases[] = {
        {"object", "notAnArray"}, {"html", "notAnArray"}, {"ok+object", "notAnArray"},
        {"empty", "citire respinsă: empty"},
        {"size-2000000-length", "citire respinsă: empty"},  // at the cap it is read, and holds no events
        {"size-2000001-length", "tooLarge"}, {"size-2000001-chunked", "tooLarge"}, {"ok+size-2000001-chunked", "tooLarge"},
        {"redirect-other", "HTTP 302"}, {"redirect-sub", "HTTP 302"}, {"redirect-http", "HTTP 302"},
        {"redirect-loop", "HTTP 302"}, {"status503", "HTTP 503"},
        {"retry-120", "rateLimited +120"}, {"retry-date", "rateLimited +300"},
        {"stall", "the request timed out"}, {"ok+stall", "the request timed out"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        scheduler.advance(3600);
        auto service = makeService(c.scenario, 1);
        const Base::Date now = scheduler.now();
        refreshAndWait(*service, true);
        if (c.expected.starts_with("rateLimited +")) {
            EXPECT_EQ(service->status(), Status::rateLimited(now + std::stod(c.expected.substr(13))));
        } else {
            EXPECT_EQ(service->status(), Status::failed(c.expected));
        }
        EXPECT_EQ(service->events(), cachedEvents);
        EXPECT_EQ(service->lastSuccess(), start);
        EXPECT_EQ(readBytes(cacheFile), cached);
    }
}

// Gone while its transfer runs, or after its answer was handed over but before
// it ran: the answer must never reach the destroyed service.
TEST_F(ServiceEndToEndTest, AServiceGoneMidFetchIsNeverCalledBack) {
    for (const char* scenario : {"stall", "ok"}) {
        SCOPED_TRACE(scenario);
        auto service = makeService(scenario);
        service->refresh(true);
        if (std::string(scenario) == "ok") {
            ASSERT_TRUE(scheduler.waitForDue(30));  // the answer waits in the queue
        }
        service.reset();  // stops the transfer and waits for its thread
        scheduler.runPending();
    }
}

}  // namespace
}  // namespace CalendarKit
