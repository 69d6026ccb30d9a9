// The service with the real fetcher, the real cache file and the scripted
// HTTPS server: what reaches the user's disk and screen.
#include <gtest/gtest.h>

#include <memory>

#include "Base/ManualScheduler.h"
#include "CalendarKit/Download/FeedFetcher.h"
#include "CalendarKit/Feed/SpawnedFeedFetcher.h"
#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/Storage/FileCalendarStore.h"
#include "CalendarKit/tests/service/TestFeedServer.h"

namespace CalendarKit {
namespace {

using Status = CalendarService::Status;
using Base::Testing::readBytes;

// Tuesday 2026-03-10 16:00 UTC, inside the sample feeds' first week.
constexpr Base::Date start(1'773'158'400.0);

// In the test process itself, and through the download program as the app fetches.
enum class Fetcher { inProcess, downloadProgram };

class ServiceEndToEndTest : public ::testing::TestWithParam<Fetcher> {
protected:
    // One server for the suite; without it the tests fail rather than crash.
    static void SetUpTestSuite() { server = std::make_unique<Testing::TestFeedServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { ASSERT_TRUE(server) << "the test server did not start"; }

    std::unique_ptr<CalendarService> makeService(const std::string& scenario, double timeout = 30) {
        auto options = server->options(scenario);
        options.requestTimeout = timeout;
        options.resourceTimeout = 3 * timeout;
        return makeService(options);
    }
    std::shared_ptr<FeedFetching> makeFetcher(const FeedFetcherOptions& options) {
        if (GetParam() == Fetcher::inProcess) return std::make_shared<FeedFetcher>(scheduler, options);
        return std::make_shared<SpawnedFeedFetcher>(scheduler, WAYLARK_FEED_FETCH, options);
    }
    std::unique_ptr<CalendarService> makeService(const FeedFetcherOptions& options) {
        return std::make_unique<CalendarService>(makeFetcher(options),
                                                 std::make_shared<FileCalendarStore>(cacheFile), scheduler,
                                                 CalendarService::Settings::application());
    }

    // Waits in real time (never on the manual clock) for the answers to come back.
    void refreshAndWait(CalendarService& service, bool force = true) {
        service.refresh(force);
        for (int second = 0; second < 30 && service.isRefreshing(); ++second) {
            if (scheduler.waitForDue(1)) scheduler.runPending();
        }
        ASSERT_FALSE(service.isRefreshing()) << "no answer within 30 s";
    }

    static inline std::unique_ptr<Testing::TestFeedServer> server;
    Base::ManualScheduler scheduler{start};
    Base::Testing::TemporaryFolder temp;
    std::filesystem::path cacheFile = FileCalendarStore::defaultPath(temp.path() / "OrlTradingWaylark");
};

// Every scenario of the hostile server, as the user sees it: a good answer is
// applied; any other leaves the events and the cache file exactly as they were.
TEST_P(ServiceEndToEndTest, EveryAnswerOfTheServer) {
    auto first = makeService("ok");
    refreshAndWait(*first, false);
    const auto cachedEvents = first->events();
    ASSERT_EQ(cachedEvents.size(), 44u);
    // In time order across both files, with New York week keys across the clock change.
    EXPECT_EQ(cachedEvents.front().id, "2026-03-08:CNY:trade-balance:0");
    EXPECT_EQ(cachedEvents.back().id, "2026-03-15:CAD:retail-sales-m-m:0");
    EXPECT_TRUE(first->coverage().value().contains(start));
    // A new service restores them, and within ten minutes of the cached success fetches nothing.
    scheduler.advance(60);
    const auto unavailableBefore = server->requests("status503").size();
    auto restored = makeService("status503");
    EXPECT_EQ(restored->events(), cachedEvents);
    refreshAndWait(*restored, false);
    EXPECT_EQ(restored->status(), Status::idle());
    EXPECT_EQ(server->requests("status503").size(), unavailableBefore);

    Base::Date lastSuccess = start;
    const std::pair<const char*, std::string> cases[] = {  // "ok", "+<seconds>" of a pause, or the failure text
        {"ok", "ok"}, {"cookie", "ok"}, {"redirect-same+status404", "ok"},  // the next week held is kept
        {"object", "notAnArray"}, {"html", "notAnArray"}, {"ok+object", "notAnArray"},
        {"empty", "citire respinsă: empty"}, {"status503", "HTTP 503"}, {"status404", "HTTP 404"},
        {"retry-120", "+120"}, {"retry-7200", "+3600"}, {"retry-neg5", "+0"}, {"retry-spaces", "+30"},
        {"retry-date", "+300"}, {"retry-word", "+300"}, {"retry-none", "+300"},
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
    const auto loopsBefore = server->requests("redirect-loop").size();
    for (const auto& [scenario, expected] : cases) {
        scheduler.advance(3600);
        const std::string cached = readBytes(cacheFile);
        auto service = makeService(scenario, 1);  // a stalled answer ends within seconds
        const Base::Date now = scheduler.now();
        refreshAndWait(*service);
        const bool applied = expected == "ok";
        EXPECT_EQ(service->status(), applied                  ? Status::ok()
                                     : expected.starts_with("+") ? Status::rateLimited(now + std::stod(expected))
                                                                 : Status::failed(expected))
            << scenario;
        EXPECT_EQ(service->events(), cachedEvents) << scenario;
        EXPECT_EQ(service->lastSuccess(), applied ? now : lastSuccess) << scenario;
        EXPECT_EQ(readBytes(cacheFile) == cached, !applied) << scenario;
        if (applied) lastSuccess = now;
    }
    EXPECT_EQ(server->requests("redirect-loop").size(), loopsBefore + 1 + FeedFetcherOptions{}.maxRedirects);
    for (const auto& request : server->requests()) {
        EXPECT_EQ(request.userAgent, "OrlTradingWaylark/0.1");
        EXPECT_EQ(request.host, "feed.test:" + std::to_string(server->port()));
        EXPECT_FALSE(request.hadCookie) << request.path;
        EXPECT_EQ(request.headerNames, (std::vector<std::string>{"Host", "User-Agent"})) << request.path;
    }
}

TEST_P(ServiceEndToEndTest, TheServerMustProveItsNameOverHttps) {
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
        refreshAndWait(*service);
        EXPECT_NE(service->status().message.find(words), std::string::npos) << service->status().message;
    }
}

// Cancelled while its transfer runs, or gone after its answer was handed over
// but before it ran: the answer must never reach its owner.
TEST_P(ServiceEndToEndTest, AnAnswerNeverReachesAnOwnerThatLetGo) {
    bool called = false;
    {
        auto fetcher = makeFetcher(server->options("stall"));
        auto handle = fetcher->fetch(FeedWeek::thisWeek, [&](Base::Result<FeedResponse>) { called = true; });
        handle.cancel();
    }  // the fetcher's destructor stops the transfer and waits for its thread
    auto service = makeService("ok");
    service->refresh(true);
    ASSERT_TRUE(scheduler.waitForDue(30));
    service.reset();
    scheduler.runPending();
    EXPECT_FALSE(called);
}

INSTANTIATE_TEST_SUITE_P(Fetchers, ServiceEndToEndTest,
                         ::testing::Values(Fetcher::inProcess, Fetcher::downloadProgram),
                         [](const auto& instance) {
                             return instance.param == Fetcher::inProcess ? "InProcess" : "DownloadProgram";
                         });

}  // namespace
}  // namespace CalendarKit
