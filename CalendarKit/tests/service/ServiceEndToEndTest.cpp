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
    std::unique_ptr<CalendarService> makeService(const FeedFetcherOptions& options) {
        return std::make_unique<CalendarService>(std::make_shared<FeedFetcher>(scheduler, options),
                                                 std::make_shared<FileCalendarStore>(cacheFile), scheduler,
                                                 CalendarService::Settings::application());
    }
    std::unique_ptr<CalendarService> makeService(const std::string& scenario) {
        auto options = server->options(scenario);
        options.requestTimeout = 1;
        options.resourceTimeout = 3;
        return makeService(options);
    }

    // Waits in real time (never on the manual clock) for the answers to come back.
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

// Every scenario of the hostile server, as the user sees it: a good answer is
// applied; any other leaves the events and the cache file exactly as they were.
TEST_F(ServiceEndToEndTest, EveryAnswerOfTheServer) {
    refreshAndWait(*makeService("ok"), false);
    const auto cachedEvents = makeService("ok")->events();
    const struct {
        const char* scenario;
        std::string expected;  // "ok", the failure text, or "rateLimited +<seconds>"
    } cases[] = {
        {"ok", "ok"}, {"cookie", "ok"}, {"object", "notAnArray"}, {"html", "notAnArray"}, {"ok+object", "notAnArray"},
        {"empty", "citire respinsă: empty"}, {"status503", "HTTP 503"}, {"status404", "HTTP 404"},
        {"retry-120", "rateLimited +120"}, {"retry-7200", "rateLimited +3600"}, {"retry-neg5", "rateLimited +0"},
        {"retry-spaces", "rateLimited +30"}, {"retry-date", "rateLimited +300"}, {"retry-word", "rateLimited +300"},
        {"retry-none", "rateLimited +300"},
        // Redirects are followed only to the same host over https, and not forever.
        {"redirect-same", "ok"}, {"redirect-relative", "ok"}, {"redirect-cookie", "ok"},
        {"redirect-http", "HTTP 302"}, {"redirect-sub", "HTTP 302"}, {"redirect-other", "HTTP 302"},
        {"redirect-loop", "HTTP 302"},
        // Bodies are capped by their announced length and by the running count;
        // at the cap they are read (and hold no events).
        {"size-2000000-length", "citire respinsă: empty"}, {"size-2000000-chunked", "citire respinsă: empty"},
        {"size-2000001-length", "tooLarge"}, {"size-2000001-chunked", "tooLarge"},
        {"ok+size-2000001-chunked", "tooLarge"},
        {"stall", "the request timed out"}, {"ok+stall", "the request timed out"},
    };
    const auto redirectsBefore = server->requestsFor("redirect-loop").size();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        scheduler.advance(3600);
        const std::string cached = readBytes(cacheFile);
        const auto lastSuccess = makeService("ok")->lastSuccess();
        auto service = makeService(c.scenario);
        const Base::Date now = scheduler.now();
        refreshAndWait(*service, true);
        if (c.expected == "ok") {
            EXPECT_EQ(service->status(), Status::ok());
            EXPECT_EQ(makeService("ok")->lastSuccess(), now);
        } else if (c.expected.starts_with("rateLimited +")) {
            EXPECT_EQ(service->status(), Status::rateLimited(now + std::stod(c.expected.substr(13))));
        } else {
            EXPECT_EQ(service->status(), Status::failed(c.expected));
        }
        EXPECT_EQ(service->events(), cachedEvents);
        if (c.expected != "ok") {
            EXPECT_EQ(service->lastSuccess(), lastSuccess);
            EXPECT_EQ(readBytes(cacheFile), cached);
        }
    }
    EXPECT_EQ(server->requestsFor("redirect-loop").size(), redirectsBefore + 1 + FeedFetcherOptions{}.maxRedirects);
    for (const auto& request : server->requests()) {
        EXPECT_EQ(request.userAgent, "OrlTradingWaylark/0.1");
        EXPECT_EQ(request.host, "feed.test:" + std::to_string(server->port()));
        EXPECT_FALSE(request.hadCookie) << request.path;
    }
}

TEST_F(ServiceEndToEndTest, TheServerMustProveItsNameOverHttps) {
    const std::string port = std::to_string(server->port());
    auto untrusted = server->options("ok");  // without the test CA
    untrusted.certificateAuthorityFile.clear();
    auto wrongName = server->options("ok");  // a name the certificate does not list
    wrongName.resolve.push_back("wrong.test:" + port + ":127.0.0.1");
    wrongName.baseAddress = "https://wrong.test:" + port + "/s/ok";
    auto plain = server->options("ok");
    plain.baseAddress = "http://feed.test:" + port + "/s/ok";
    for (const auto& [options, words] : {std::pair{untrusted, "certificate"}, std::pair{wrongName, "wrong.test"},
                                         std::pair{plain, "not an https address"}}) {
        auto service = makeService(options);
        refreshAndWait(*service, true);
        EXPECT_NE(service->status().message.find(words), std::string::npos) << service->status().message;
    }
}

// Cancelled, or gone while its transfer runs, or after its answer was handed
// over but before it ran: the answer must never reach its owner.
TEST_F(ServiceEndToEndTest, AnAnswerNeverReachesAnOwnerThatLetGo) {
    bool called = false;
    {
        FeedFetcher fetcher(scheduler, server->options("stall"));
        auto handle = fetcher.fetch(FeedWeek::thisWeek, [&](Base::Result<FeedResponse>) { called = true; });
        handle.cancel();
        // The fetcher's destructor stops the transfer and waits for its thread.
    }
    scheduler.runPending();
    EXPECT_FALSE(called);
    for (const char* scenario : {"stall", "ok"}) {
        auto service = makeService(server->options(scenario));
        service->refresh(true);
        // With "ok" the answer waits in the queue.
        ASSERT_TRUE(std::string(scenario) == "stall" || scheduler.waitForDue(30));
        service.reset();  // stops the transfer and waits for its thread
        scheduler.runPending();
    }
}

}  // namespace
}  // namespace CalendarKit
