// The app's fetcher and the download program it starts, as processes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <vector>

#include "Base/ManualScheduler.h"
#include "Base/testing/Processes.h"
#include "Base/testing/TemporaryFolder.h"
#include "Base/testing/Waiting.h"
#include "CalendarKit/Feed/SpawnedFeedFetcher.h"
#include "CalendarKit/tests/service/TestFeedServer.h"

namespace CalendarKit {
namespace {

using Clock = std::chrono::steady_clock;
using Base::Testing::hasEnded;
using Base::Testing::readBytes;
using Base::Testing::waitUntil;

bool hasChildren() {
    errno = 0;
    return !(::waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD);
}

// A stand-in download program: a shell script that notes its process id in
// `<name>.pids` beside it, where `body` adds those of the processes it starts.
std::filesystem::path writeDownloadScript(const std::filesystem::path& folder, const std::string& name,
                                          const std::string& body) {
    const auto script = folder / name;
    Base::Testing::writeBytes(script, "#!/bin/sh\nPATH=/usr/bin:/bin\nPIDS='" + (folder / name).string() +
                                          ".pids'\necho $$ >> \"$PIDS\"\n" + body);
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    return script;
}

std::vector<pid_t> startedProcesses(const std::filesystem::path& script) {
    std::ifstream in(script.string() + ".pids");
    std::vector<pid_t> pids;
    for (pid_t pid = 0; in >> pid;) pids.push_back(pid);
    return pids;
}

bool allEnded(const std::vector<pid_t>& pids) {
    return std::all_of(pids.begin(), pids.end(), hasEnded);
}

// This process's standard error goes to a file until `release()`.
class CapturedStandardError {
public:
    explicit CapturedStandardError(std::filesystem::path file) : file_(std::move(file)) {
        std::fflush(stderr);
        saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        const int capture = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ::dup2(capture, STDERR_FILENO);
        ::close(capture);
    }
    ~CapturedStandardError() { release(); }
    CapturedStandardError(const CapturedStandardError&) = delete;
    CapturedStandardError& operator=(const CapturedStandardError&) = delete;

    // What was written meanwhile.
    std::string release() {
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
            saved_ = -1;
        }
        return readBytes(file_);
    }

private:
    std::filesystem::path file_;
    int saved_ = -1;
};

constexpr const char* completeAnswer = "printf 'status 200\\nbody 2\\n[]'\n";
// Writes its answer, closes standard output and keeps running.
const std::string hangsAfterItsAnswer =
    std::string(completeAnswer) + "exec >&-\nsleep 60 &\necho $! >> \"$PIDS\"\nwait\n";
// Writes its answer, closes standard output, joins our process group and keeps running.
const std::string leavesItsGroupAfterItsAnswer =
    std::string(completeAnswer) + "exec >&-\nexec perl -e 'setpgrp(0, getpgrp(getppid())) or die; sleep 60'\n";

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

// Download programs that misbehave around their answer: each run ends within
// seconds with the answer or the right error, leaves no process of its own
// behind, and passes on only the start of what it writes to standard error.
TEST(SpawnedFeedFetcherTest, ARunEndsWholeWhateverTheDownloadProgramLeavesRunning) {
    Base::Testing::TemporaryFolder folder;
    Base::ManualScheduler scheduler;
    const std::atomic<bool> never{false};
    const struct {
        const char* name;
        std::string body;
        double hangSlack;
        const char* outcome;
        const char* errorsStart;  // what reaches our standard error first
    } cases[] = {
        {"hangs-after-its-answer", hangsAfterItsAnswer, 1, "error: the request timed out", ""},
        {"leaves-a-child-holding-the-pipe",
         std::string("sleep 60 &\necho $! >> \"$PIDS\"\n") + completeAnswer, 60, "200 []", ""},
        {"floods-standard-error", std::string("yes | head -c 20000000 >&2\n") + completeAnswer, 60, "200 []",
         "y\ny\n"},
        {"leaves-its-process-group", leavesItsGroupAfterItsAnswer, 1, "error: the request timed out", ""},
    };
    for (const auto& [name, body, hangSlack, outcome, errorsStart] : cases) {
        const auto script = writeDownloadScript(folder.path(), name, body);
        FeedFetcherOptions options;
        options.resourceTimeout = 0;  // the run's limit is the slack alone
        const SpawnedFeedFetcher fetcher(scheduler, script, options, hangSlack);
        const auto started = Clock::now();
        CapturedStandardError captured(folder.path() / (std::string(name) + ".stderr"));
        auto run = std::async(std::launch::async, [&] { return fetcher.fetchNow(FeedWeek::thisWeek, never); });
        // A run that never ends fails here rather than holding up the suite.
        if (run.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
            ADD_FAILURE() << name << " still runs";
            for (const pid_t pid : startedProcesses(script)) ::kill(pid, SIGKILL);
        }
        const auto result = run.get();
        const std::string errors = captured.release();
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(10)) << name;
        EXPECT_EQ(result ? std::to_string(result->status) + " " + result->data : "error: " + result.error().message,
                  outcome)
            << name;
        const auto pids = startedProcesses(script);
        EXPECT_FALSE(pids.empty()) << name;
        EXPECT_TRUE(waitUntil([&] { return allEnded(pids); }, std::chrono::seconds(5))) << name;
        EXPECT_LE(errors.size(), 16'384u) << name;
        EXPECT_EQ(errors.substr(0, 4), errorsStart) << name;
    }
    EXPECT_FALSE(hasChildren());
}

// Cancelled, its fetcher gone, or ended by an exit while the download program
// hangs after its answer: the run ends at once rather than when the slack runs out.
TEST(SpawnedFeedFetcherTest, LettingGoOfARunThatHangsAfterItsAnswerEndsItAtOnce) {
    Base::Testing::TemporaryFolder folder;
    Base::ManualScheduler scheduler;
    enum class LetGo { cancel, destroyFetcher, endAtExit };
    for (const LetGo letGo : {LetGo::cancel, LetGo::destroyFetcher, LetGo::endAtExit}) {
        const auto script = writeDownloadScript(folder.path(), std::to_string(static_cast<int>(letGo)),
                                                hangsAfterItsAnswer);
        auto fetcher = std::make_unique<SpawnedFeedFetcher>(scheduler, script, FeedFetcherOptions{}, 60);
        bool called = false;
        auto handle = fetcher->fetch(FeedWeek::thisWeek, [&](Base::Result<FeedResponse>) { called = true; });
        ASSERT_TRUE(waitUntil([&] { return startedProcesses(script).size() == 2; }));
        const auto letGoAt = Clock::now();
        if (letGo == LetGo::destroyFetcher) fetcher.reset();
        if (letGo == LetGo::cancel) handle.cancel();
        if (letGo == LetGo::endAtExit) fetcher->endRunsNow();
        EXPECT_TRUE(waitUntil([&] { return allEnded(startedProcesses(script)); }, std::chrono::seconds(5)))
            << static_cast<int>(letGo);
        if (letGo == LetGo::endAtExit) {
            // A run that starts once the end has begun is ended as it starts.
            const std::atomic<bool> never{false};
            EXPECT_FALSE(fetcher->fetchNow(FeedWeek::thisWeek, never).ok());
        }
        fetcher.reset();  // waits for its thread
        EXPECT_LT(Clock::now() - letGoAt, std::chrono::seconds(5)) << static_cast<int>(letGo);
        scheduler.runPending();
        EXPECT_FALSE(called);
    }
    EXPECT_FALSE(hasChildren());
}

// Every run gives its place back: after more runs than there are places, the
// end at exit still reaches the one running now.
TEST(SpawnedFeedFetcherTest, EndingRunsAtExitReachesARunThatStartsAfterManyHaveFinished) {
    Base::Testing::TemporaryFolder folder;
    Base::ManualScheduler scheduler;
    const auto hangNow = folder.path() / "hang-now";
    const auto script = writeDownloadScript(folder.path(), "answers-then-hangs",
                                            "if [ -e '" + hangNow.string() + "' ]; then\n" + hangsAfterItsAnswer +
                                                "else\n" + completeAnswer + "fi\n");
    auto fetcher = std::make_unique<SpawnedFeedFetcher>(scheduler, script, FeedFetcherOptions{}, 60);
    const std::atomic<bool> never{false};
    const std::size_t quickRuns = 2 * RunningDownloads::capacity;
    for (std::size_t run = 0; run < quickRuns; ++run) {
        const auto result = fetcher->fetchNow(FeedWeek::thisWeek, never);
        ASSERT_TRUE(result.ok()) << run << ": " << result.error().message;
        EXPECT_EQ(result->status, 200) << run;
    }
    Base::Testing::writeBytes(hangNow, "");
    auto handle = fetcher->fetch(FeedWeek::thisWeek, [](Base::Result<FeedResponse>) {});
    ASSERT_TRUE(waitUntil([&] { return startedProcesses(script).size() == quickRuns + 2; }));
    fetcher->endRunsNow();
    EXPECT_TRUE(waitUntil([&] { return allEnded(startedProcesses(script)); }, std::chrono::seconds(5)));
    fetcher.reset();  // cancels the run if the end missed it, and waits for its thread
    EXPECT_FALSE(hasChildren());
}

}  // namespace
}  // namespace CalendarKit
