// The app's fetcher and the download program it starts, as processes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "Base/ManualScheduler.h"
#include "CalendarKit/Feed/SpawnedFeedFetcher.h"
#include "CalendarKit/tests/service/TestFeedServer.h"

namespace CalendarKit {
namespace {

bool hasChildren() {
    errno = 0;
    return !(::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);
}

// Cancelling a running fetch ends the download program at once, long before
// the stalled server would let it time out, and leaves no child behind.
TEST(SpawnedFeedFetcherTest, ACancelledFetchKillsTheDownloadProgram) {
    Testing::TestFeedServer server;
    Base::ManualScheduler scheduler;
    auto options = server.options("stall");
    options.requestTimeout = 60;
    SpawnedFeedFetcher fetcher(scheduler, WAYLARK_FEED_FETCH, options);
    bool called = false;
    auto handle = fetcher.fetch(FeedWeek::thisWeek, [&](Base::Result<FeedResponse>) { called = true; });
    const auto started = std::chrono::steady_clock::now();
    auto waitUntil = [&](auto condition) {
        while (!condition() && std::chrono::steady_clock::now() - started < std::chrono::seconds(20)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return condition();
    };
    ASSERT_TRUE(waitUntil([&] { return !server.requests("stall").empty(); }));
    ASSERT_TRUE(hasChildren());
    handle.cancel();
    EXPECT_TRUE(waitUntil([] { return !hasChildren(); }));
    scheduler.runPending();
    EXPECT_FALSE(called);
}

// Whatever goes wrong with the download program is an error, never a crash.
TEST(SpawnedFeedFetcherTest, ABrokenDownloadProgramGivesAnError) {
    Base::ManualScheduler scheduler;
    const std::atomic<bool> never{false};
    const std::pair<const char*, const char*> cases[] = {
        {"/bin/echo", "malformed answer"},          // prints its arguments back
        {"/bin/false", "download program failed"},  // ends without answering
        {"/nonexistent/WaylarkFeedFetch", "cannot start the download: No such file or directory"},
        {"WaylarkFeedFetch", "not found"},  // never looked up in the current folder
        {"", "not found"},
    };
    for (const auto& [program, words] : cases) {
        const auto result = SpawnedFeedFetcher(scheduler, program).fetchNow(FeedWeek::thisWeek, never);
        ASSERT_FALSE(result.ok()) << program;
        EXPECT_NE(result.error().message.find(words), std::string::npos) << program << ": " << result.error().message;
    }
    EXPECT_FALSE(hasChildren());
}

}  // namespace
}  // namespace CalendarKit
