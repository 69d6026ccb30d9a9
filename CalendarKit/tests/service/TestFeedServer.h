#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Base/testing/TemporaryFolder.h"
#include "CalendarKit/Feed/FeedFetcher.h"

namespace httplib {
class SSLServer;
}

namespace CalendarKit::Testing {

// One request as the server saw it.
struct LoggedRequest {
    std::string host;  // the Host header, with its port
    std::string path;
    std::string userAgent;
    bool hadCookie = false;
};

// A scripted HTTPS feed server on 127.0.0.1 with an ephemeral port, serving a
// certificate for localhost, feed.test, sub.feed.test and other.test that a
// throwaway CA signed. The first path segment under /s/ names the scenario:
// "ok", "status404", "retry-120", "redirect-other", "size-2000001-chunked"...;
// "A+B" answers the current week with A and the next week with B.
class TestFeedServer {
public:
    TestFeedServer();
    ~TestFeedServer();
    TestFeedServer(const TestFeedServer&) = delete;
    TestFeedServer& operator=(const TestFeedServer&) = delete;

    int port() const { return port_; }
    // Fetcher options that reach this server under the scenario.
    FeedFetcherOptions options(const std::string& scenario) const;
    std::vector<LoggedRequest> requests() const;
    // Requests whose path lies under the scenario's folder.
    std::vector<LoggedRequest> requestsFor(const std::string& scenario) const;
    // The realistic sample feeds served by "ok".
    static std::string sampleFeed(const std::string& week);

private:
    void route();

    Base::Testing::TemporaryFolder folder_;
    std::unique_ptr<httplib::SSLServer> server_;
    std::thread thread_;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::vector<LoggedRequest> log_;
    std::shared_ptr<std::atomic<bool>> stopping_ = std::make_shared<std::atomic<bool>>(false);
};

// Tests that share one server per process; without a server they fail
// rather than crash.
class FeedServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = std::make_unique<TestFeedServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { ASSERT_TRUE(server) << "the test server did not start"; }

    static inline std::unique_ptr<TestFeedServer> server;
};

}  // namespace CalendarKit::Testing
