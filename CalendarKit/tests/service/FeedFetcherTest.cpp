#include "CalendarKit/Feed/FeedFetcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

#include "Base/ManualScheduler.h"
#include "CalendarKit/tests/service/TestFeedServer.h"

namespace CalendarKit {
namespace {

using Testing::TestFeedServer;

class FeedFetcherTest : public Testing::FeedServerTest {
protected:
    // Fetches through the scheduler, the way the service does, and waits in
    // real time (never on the manual clock) for the result to come back.
    Base::Result<FeedResponse> fetch(const FeedFetcherOptions& options, FeedWeek week = FeedWeek::thisWeek) {
        FeedFetcher fetcher(scheduler, options);
        std::optional<Base::Result<FeedResponse>> result;
        auto handle = fetcher.fetch(week, [&](Base::Result<FeedResponse> r) { result.emplace(std::move(r)); });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!result && std::chrono::steady_clock::now() < deadline) {
            scheduler.waitForDue(1);
            scheduler.runPending();
        }
        if (!result) return Base::makeError("no result within 30 s");
        return *result;
    }

    Base::ManualScheduler scheduler;
};

// Status 0 stands for an error whose message is `body`.
TEST_F(FeedFetcherTest, EveryAnswerComesBackAsServedWithinTheLimits) {
    const std::string feed = TestFeedServer::sampleFeed("thisweek");
    const std::string atCap = "[" + std::string(1'999'998, ' ') + "]";
    const struct {
        const char* scenario;
        int status;
        std::string body;
        std::optional<double> retryAfter = std::nullopt;
    } cases[] = {
        {"ok", 200, feed}, {"cookie", 200, feed}, {"status503", 503, "status 503"}, {"status404", 404, "status 404"},
        {"retry-120", 429, "slow down", 120.0}, {"retry-7200", 429, "slow down", 3600.0},
        {"retry-neg5", 429, "slow down", 0.0}, {"retry-spaces", 429, "slow down", 30.0},
        {"retry-date", 429, "slow down"}, {"retry-word", 429, "slow down"}, {"retry-none", 429, "slow down"},
        // Redirects are followed only to the same host over https, and not forever.
        {"redirect-same", 200, feed}, {"redirect-relative", 200, feed}, {"redirect-cookie", 200, feed},
        {"redirect-http", 302, "moved"}, {"redirect-sub", 302, "moved"}, {"redirect-other", 302, "moved"},
        {"redirect-loop", 302, "moved"},
        // Bodies are capped by their announced length and by the running count.
        {"size-2000000-length", 200, atCap}, {"size-2000000-chunked", 200, atCap},
        {"size-2000001-length", 0, "tooLarge"}, {"size-2000001-chunked", 0, "tooLarge"},
    };
    const auto reachedOk = server->requestsFor("ok").size();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        const auto response = fetch(server->options(c.scenario));
        if (c.status == 0) {
            EXPECT_EQ(response.ok() ? "" : response.error().message, c.body);
            continue;
        }
        ASSERT_TRUE(response.ok()) << response.error().message;
        EXPECT_EQ(*response, (FeedResponse{c.status, c.body, c.retryAfter}));
    }
    EXPECT_EQ(server->requestsFor("ok").size(), reachedOk + 4);  // ok and the three allowed redirects
    EXPECT_EQ(server->requestsFor("redirect-loop").size(), 1u + FeedFetcherOptions{}.maxRedirects);
    const auto next = fetch(server->options("ok"), FeedWeek::nextWeek);
    EXPECT_EQ(next->data, TestFeedServer::sampleFeed("nextweek"));
    for (const auto& request : server->requests()) {
        EXPECT_EQ(request.userAgent, "OrlTradingWaylark/0.1");
        EXPECT_EQ(request.host, "feed.test:" + std::to_string(server->port()));
        EXPECT_FALSE(request.hadCookie) << request.path;
    }
}

TEST_F(FeedFetcherTest, TheServerMustProveItsNameOverHttps) {
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
        const auto response = fetch(options);
        ASSERT_FALSE(response.ok()) << words;
        EXPECT_NE(response.error().message.find(words), std::string::npos) << response.error().message;
    }
}

TEST_F(FeedFetcherTest, DroppingTheHandleMeansTheCompletionNeverRuns) {
    auto options = server->options("stall");
    options.requestTimeout = 5;
    bool called = false;
    {
        FeedFetcher fetcher(scheduler, options);
        auto handle = fetcher.fetch(FeedWeek::thisWeek, [&](Base::Result<FeedResponse>) { called = true; });
        handle.cancel();
        // The fetcher's destructor stops the transfer and waits for its thread.
    }
    scheduler.runPending();
    EXPECT_FALSE(called);
}

TEST(FeedFetcherRetryAfter, TextRules) {
    const struct {
        std::optional<std::string> text;
        std::optional<double> expected;
    } cases[] = {
        {std::nullopt, {}}, {"1.5", 1.5},     {"1e2", 100.0},     {"\t 45\t", 45.0}, {"\xC2\xA0 60", 60.0},
        {"   ", {}},        {"120s", {}},     {"12 0", {}},       {"inf", {}},       {"nan", {}},
        {"1e400", {}},      {"-0", 0.0},      {"3600.5", 3600.0}, {"1,5", {}},       {std::string("5\0", 2), {}},
    };
    for (const auto& c : cases) {
        std::optional<std::string_view> text;
        if (c.text) text = *c.text;
        EXPECT_EQ(FeedFetcher::retryAfter(text), c.expected) << (c.text ? *c.text : "<none>");
    }
}

TEST(FeedFetcherAddress, AppendsTheFileNameAsOnePathComponent) {
    Base::ManualScheduler scheduler;
    EXPECT_EQ(FeedFetcher(scheduler).address(FeedWeek::nextWeek),
              "https://nfs.faireconomy.media/ff_calendar_nextweek.json");
    FeedFetcherOptions options;
    options.baseAddress = "https://example.test/feeds/";
    EXPECT_EQ(FeedFetcher(scheduler, options).address(FeedWeek::thisWeek),
              "https://example.test/feeds/ff_calendar_thisweek.json");
    EXPECT_EQ(feedWeekFromRaw("nextweek"), FeedWeek::nextWeek);
    EXPECT_EQ(feedWeekFromRaw("NextWeek"), std::nullopt);
}

}  // namespace
}  // namespace CalendarKit
