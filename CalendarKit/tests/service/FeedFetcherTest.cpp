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

    Base::Result<FeedResponse> fetch(const std::string& scenario, FeedWeek week = FeedWeek::thisWeek) {
        return fetch(server->options(scenario), week);
    }

    Base::ManualScheduler scheduler;
};

TEST_F(FeedFetcherTest, RequestsEachWeekFileWithTheUserAgentAndNothingElse) {
    for (FeedWeek week : allFeedWeeks) {
        const auto response = fetch("ok", week);
        ASSERT_TRUE(response.ok()) << response.error().message;
        EXPECT_EQ(response->status, 200);
        EXPECT_EQ(response->data, TestFeedServer::sampleFeed(std::string(rawValue(week))));
        EXPECT_EQ(response->retryAfter, std::nullopt);
    }
    const auto requests = server->requestsFor("ok");
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].path, "/s/ok/ff_calendar_thisweek.json");
    EXPECT_EQ(requests[1].path, "/s/ok/ff_calendar_nextweek.json");
    for (const auto& request : requests) {
        EXPECT_EQ(request.userAgent, "OrlTradingWaylark/0.1");
        EXPECT_EQ(request.host, "feed.test:" + std::to_string(server->port()));
        EXPECT_FALSE(request.hadCookie);
    }
}

TEST_F(FeedFetcherTest, OtherStatusesComeBackWithTheirBodies) {
    for (int status : {404, 503, 500}) {
        const auto response = fetch("status" + std::to_string(status));
        ASSERT_TRUE(response.ok()) << response.error().message;
        EXPECT_EQ(response->status, status);
        EXPECT_EQ(response->data, "status " + std::to_string(status));
    }
}

TEST_F(FeedFetcherTest, RetryAfterOfA429IsReadStrictlyAndClamped) {
    const struct {
        const char* scenario;
        std::optional<double> expected;
    } cases[] = {
        {"retry-120", 120.0}, {"retry-7200", 3600.0}, {"retry-neg5", 0.0},       {"retry-spaces", 30.0},
        {"retry-date", {}},   {"retry-word", {}},     {"retry-none", {}},
    };
    for (const auto& c : cases) {
        const auto response = fetch(c.scenario);
        ASSERT_TRUE(response.ok()) << c.scenario << ": " << response.error().message;
        EXPECT_EQ(response->status, 429) << c.scenario;
        EXPECT_EQ(response->retryAfter, c.expected) << c.scenario;
    }
}

TEST(FeedFetcherRetryAfter, TextRules) {
    const struct {
        std::optional<std::string> text;
        std::optional<double> expected;
    } cases[] = {
        {std::nullopt, {}}, {"120", 120.0},     {"1.5", 1.5},      {"1e2", 100.0},       {"\t 45\t", 45.0},
        {"\xC2\xA0 60", 60.0}, {"", {}},        {"   ", {}},       {"120s", {}},         {"12 0", {}},
        {"inf", {}},        {"nan", {}},        {"1e400", {}},     {"-0", 0.0},          {"0", 0.0},
        {"3600", 3600.0},   {"3600.5", 3600.0}, {"1,5", {}},       {std::string("5\0", 2), {}},
    };
    for (const auto& c : cases) {
        std::optional<std::string_view> text;
        if (c.text) text = *c.text;
        EXPECT_EQ(FeedFetcher::retryAfter(text), c.expected) << (c.text ? *c.text : "<none>");
    }
}

TEST_F(FeedFetcherTest, RedirectsAreFollowedOnlyToTheSameHostOverHttps) {
    const struct {
        const char* scenario;
        int status;
        bool followed;
    } cases[] = {
        {"redirect-same", 200, true},    {"redirect-relative", 200, true}, {"redirect-http", 302, false},
        {"redirect-sub", 302, false},    {"redirect-other", 302, false},   {"redirect-loop", 302, false},
    };
    for (const auto& c : cases) {
        const auto before = server->requestsFor("ok").size();
        const auto response = fetch(c.scenario);
        ASSERT_TRUE(response.ok()) << c.scenario << ": " << response.error().message;
        EXPECT_EQ(response->status, c.status) << c.scenario;
        if (c.followed) {
            EXPECT_EQ(response->data, TestFeedServer::sampleFeed("thisweek")) << c.scenario;
            EXPECT_EQ(server->requestsFor("ok").size(), before + 1) << c.scenario;
        } else {
            EXPECT_EQ(response->data, "moved") << c.scenario;
            EXPECT_EQ(server->requestsFor("ok").size(), before) << c.scenario << " reached the target";
        }
    }
    // The loop is cut after the bounded number of hops.
    EXPECT_EQ(server->requestsFor("redirect-loop").size(), 1u + FeedFetcherOptions{}.maxRedirects);
}

TEST_F(FeedFetcherTest, BodiesAreCappedByTheirLengthAndByTheRunningCount) {
    const struct {
        const char* scenario;
        bool accepted;
    } cases[] = {
        {"size-2000000-length", true},
        {"size-2000001-length", false},
        {"size-2000000-chunked", true},
        {"size-2000001-chunked", false},
    };
    for (const auto& c : cases) {
        const auto response = fetch(c.scenario);
        if (c.accepted) {
            ASSERT_TRUE(response.ok()) << c.scenario << ": " << response.error().message;
            EXPECT_EQ(response->data.size(), 2'000'000u) << c.scenario;
        } else {
            ASSERT_FALSE(response.ok()) << c.scenario;
            EXPECT_EQ(response.error().message, "tooLarge") << c.scenario;
        }
    }
}

TEST_F(FeedFetcherTest, CookiesAreNeverSentBack) {
    ASSERT_TRUE(fetch("cookie").ok());
    ASSERT_TRUE(fetch("cookie", FeedWeek::nextWeek).ok());
    const auto cookie = fetch("redirect-cookie");
    ASSERT_TRUE(cookie.ok());
    EXPECT_EQ(cookie->status, 200);
    for (const auto& request : server->requests()) {
        EXPECT_FALSE(request.hadCookie) << request.path;
    }
    EXPECT_EQ(server->requestsFor("cookie").size(), 2u);
}

TEST_F(FeedFetcherTest, TheServerMustProveItsName) {
    // Without the test CA the certificate is not trusted.
    auto untrusted = server->options("ok");
    untrusted.certificateAuthorityFile.clear();
    const auto untrustedResponse = fetch(untrusted);
    ASSERT_FALSE(untrustedResponse.ok());
    EXPECT_NE(untrustedResponse.error().message.find("certificate"), std::string::npos)
        << untrustedResponse.error().message;

    // A name the certificate does not list is refused even with the CA.
    auto wrongName = server->options("ok");
    const std::string port = std::to_string(server->port());
    wrongName.resolve.push_back("wrong.test:" + port + ":127.0.0.1");
    wrongName.baseAddress = "https://wrong.test:" + port + "/s/ok";
    const auto wrongNameResponse = fetch(wrongName);
    ASSERT_FALSE(wrongNameResponse.ok());
    EXPECT_NE(wrongNameResponse.error().message.find("wrong.test"), std::string::npos)
        << wrongNameResponse.error().message;

    // Plain http is never spoken, whatever the base address says.
    auto plain = server->options("ok");
    plain.baseAddress = "http://feed.test:" + std::to_string(server->port()) + "/s/ok";
    const auto response = fetch(plain);
    ASSERT_FALSE(response.ok());
    EXPECT_NE(response.error().message.find("not an https address"), std::string::npos) << response.error().message;
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

TEST(FeedFetcherAddress, AppendsTheFileNameAsOnePathComponent) {
    Base::ManualScheduler scheduler;
    FeedFetcher standard(scheduler);
    EXPECT_EQ(standard.address(FeedWeek::thisWeek), "https://nfs.faireconomy.media/ff_calendar_thisweek.json");
    EXPECT_EQ(standard.address(FeedWeek::nextWeek), "https://nfs.faireconomy.media/ff_calendar_nextweek.json");
    FeedFetcherOptions options;
    options.baseAddress = "https://example.test/feeds/";
    FeedFetcher withSlash(scheduler, options);
    EXPECT_EQ(withSlash.address(FeedWeek::thisWeek), "https://example.test/feeds/ff_calendar_thisweek.json");
    EXPECT_EQ(feedWeekFromRaw("nextweek"), FeedWeek::nextWeek);
    EXPECT_EQ(feedWeekFromRaw("NextWeek"), std::nullopt);
}

}  // namespace
}  // namespace CalendarKit
