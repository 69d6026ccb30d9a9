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
#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/tests/service/TestFeedServer.h"

namespace CalendarKit {
namespace {

using Status = CalendarService::Status;
using Base::Testing::readBytes;
using Base::Testing::TemporaryFolder;

// Tuesday 2026-03-10 16:00 UTC, inside the sample feeds' first week.
constexpr Base::Date start(1'773'158'400.0);

class ServiceEndToEndTest : public Testing::FeedServerTest {
protected:
    std::unique_ptr<CalendarService> makeService(const FeedFetcherOptions& options) {
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
    TemporaryFolder temp;
    std::filesystem::path cacheFile = FileCalendarStore::defaultPath(temp.path() / "OrlTradingWaylark");
};

TEST_F(ServiceEndToEndTest, ARefreshFillsTheEventsAndTheCacheAndANewServiceRestoresThem) {
    auto service = makeService(server->options("ok"));
    EXPECT_TRUE(service->events().empty());
    refreshAndWait(*service, false);
    ASSERT_EQ(service->status(), Status::ok());
    ASSERT_EQ(service->events().size(), 44u);
    EXPECT_EQ(service->lastSuccess(), start);
    // In time order across both files, with New York week keys across the clock change.
    EXPECT_EQ(service->events().front().id, "2026-03-08:CNY:trade-balance:0");
    EXPECT_EQ(service->events().back().id, "2026-03-15:CAD:retail-sales-m-m:0");
    const auto coverage = service->coverage();
    ASSERT_TRUE(coverage.has_value());
    EXPECT_TRUE(coverage->contains(start));

    EXPECT_EQ(Base::FileSystem::permissions(cacheFile), 0600);

    scheduler.advance(60);
    auto restored = makeService(server->options("status503"));
    EXPECT_EQ(restored->events(), service->events());
    EXPECT_EQ(restored->lastSuccess(), start);
    EXPECT_EQ(restored->status(), Status::idle());
    // Within ten minutes of the cached success nothing is fetched.
    const auto before = server->requestsFor("status503").size();
    refreshAndWait(*restored, false);
    EXPECT_EQ(server->requestsFor("status503").size(), before);
    EXPECT_EQ(restored->status(), Status::idle());
}

TEST_F(ServiceEndToEndTest, EveryBadAnswerLeavesTheEventsAndTheCacheFileAlone) {
    {
        auto service = makeService(server->options("ok"));
        refreshAndWait(*service, false);
        ASSERT_EQ(service->status(), Status::ok());
    }
    const std::string cached = readBytes(cacheFile);
    const auto cachedEvents = makeService(server->options("ok"))->events();
    ASSERT_EQ(cachedEvents.size(), 44u);

    const struct {
        const char* scenario;
        std::string expected;  // the failure text, or "rateLimited +<seconds>"
    } cases[] = {
        {"object", "notAnArray"},
        {"html", "notAnArray"},
        {"ok+object", "notAnArray"},
        {"empty", "citire respinsă: empty"},
        {"size-2000000-length", "citire respinsă: empty"},  // at the cap it is read, and holds no events
        {"size-2000001-length", "tooLarge"},
        {"size-2000001-chunked", "tooLarge"},
        {"ok+size-2000001-chunked", "tooLarge"},
        {"redirect-other", "HTTP 302"},
        {"redirect-sub", "HTTP 302"},
        {"redirect-http", "HTTP 302"},
        {"redirect-loop", "HTTP 302"},
        {"status404", "HTTP 404"},
        {"status503", "HTTP 503"},
        {"retry-120", "rateLimited +120"},
        {"retry-date", "rateLimited +300"},
        {"stall", "timed out"},
        {"ok+stall", "timed out"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        auto options = server->options(c.scenario);
        options.requestTimeout = 1;
        options.resourceTimeout = 3;
        scheduler.advance(3600);
        auto service = makeService(options);
        ASSERT_EQ(service->events(), cachedEvents);
        const Base::Date now = scheduler.now();
        refreshAndWait(*service, true);

        const Status status = service->status();
        if (c.expected.starts_with("rateLimited +")) {
            EXPECT_EQ(status, Status::rateLimited(now + std::stod(c.expected.substr(13))));
        } else if (c.expected == "timed out") {
            EXPECT_EQ(status.kind, Status::Kind::failed);
            EXPECT_NE(status.message.find("timed out"), std::string::npos) << status.message;
        } else {
            EXPECT_EQ(status, Status::failed(c.expected));
        }
        EXPECT_EQ(service->events(), cachedEvents);
        EXPECT_EQ(service->lastSuccess(), start);
        EXPECT_EQ(readBytes(cacheFile), cached);
        EXPECT_EQ(Base::FileSystem::permissions(cacheFile), 0600);
    }
}

TEST_F(ServiceEndToEndTest, AMissingNextWeekStillAppliesTheCurrentOne) {
    {
        auto service = makeService(server->options("ok"));
        refreshAndWait(*service, false);
    }
    scheduler.advance(3600);
    auto service = makeService(server->options("redirect-same+status404"));
    refreshAndWait(*service, true);
    EXPECT_EQ(service->status(), Status::ok());
    EXPECT_EQ(service->events().size(), 44u);  // next week kept from before
    EXPECT_EQ(service->lastSuccess(), start + 3600);
    auto restored = makeService(server->options("ok"));
    EXPECT_EQ(restored->lastSuccess(), start + 3600);
}

// Gone while its transfer runs, or after its answer was handed over but before
// it ran: the answer must never reach the destroyed service.
TEST_F(ServiceEndToEndTest, AServiceGoneMidFetchIsNeverCalledBack) {
    for (const char* scenario : {"stall", "ok"}) {
        SCOPED_TRACE(scenario);
        auto service = makeService(server->options(scenario));
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
