#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "Base/ManualScheduler.h"
#include "Base/RunLoopScheduler.h"
#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/Presence/LaunchOptions.h"
#include "WaylarkKit/Presence/PresenceAliases.h"
#include "WaylarkKit/Presence/ProcessApplicationsWatcher.h"

using WaylarkKit::ProcessApplicationsWatcher;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

namespace {

// A process table laid out as /proc lays it out. Starting and ending
// processes moves the kernel's counters; `put` changes one behind their back.
struct FakeProc {
    Base::Testing::TemporaryFolder folder;
    int tasks = 100, lastPid = 100;

    FakeProc() { count(0); }
    const fs::path& root() const { return folder.path(); }
    // `comm` stands in for the command name the kernel takes from the executable's name.
    int start(const std::string& exe, const std::string& comm = {}) {
        put(++lastPid, exe, 'S', comm);
        count(+1);
        return lastPid;
    }
    void end(int pid) {
        fs::remove_all(root() / std::to_string(pid));
        count(-1);
    }
    // A thread of some process: the counters move, the table does not.
    void threadCameAndWent() {
        ++lastPid;
        count(0);
    }
    void put(int pid, const std::string& exe, char state = 'S', std::string comm = {}) {
        const fs::path dir = root() / std::to_string(pid);
        fs::create_directories(dir);
        Base::Testing::writeBytes(dir / "stat", std::to_string(pid) + " (x) " + state +
                                                    " 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 500 0\n");
        // The kernel keeps the first 15 bytes of the executable's name.
        if (comm.empty()) comm = fs::path(exe).filename().string().substr(0, 15);
        Base::Testing::writeBytes(dir / "comm", comm + "\n");
        fs::remove(dir / "exe");
        fs::create_symlink(exe, dir / "exe");
    }
    void count(int delta) {
        tasks += delta;
        Base::Testing::writeBytes(root() / "loadavg", "0.00 0.00 0.00 1/" + std::to_string(tasks) + " " +
                                                          std::to_string(lastPid) + "\n");
    }
};

}  // namespace

TEST(ProcessApplicationsWatcherTest, ReadsOnlyTheProcessesStartedSinceTheLastPoll) {
    FakeProc proc;
    proc.start("/usr/bin/bash");
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {"tradingview"}, proc.root());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"bash"});

    proc.put(5, "/usr/bin/hidden");  // under a PID the counters never handed out
    EXPECT_FALSE(watcher.poll());
    proc.threadCameAndWent();
    const int chart = proc.start("/opt/tv/tradingview");
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), (Names{"bash", "tradingview"}));
    proc.end(chart);
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"bash"});

    // After a minute of changes the whole table is listed, which finds what probing cannot.
    for (int i = 0; i < ProcessApplicationsWatcher::pollsPerListing; ++i) {
        proc.threadCameAndWent();
        watcher.poll();
    }
    EXPECT_EQ(watcher.runningBundleIdentifiers(), (Names{"bash", "hidden"}));
}

TEST(ProcessApplicationsWatcherTest, KnownProcessesAreReadAgainOnlyWhileYoungOrWatched) {
    FakeProc proc;
    const int launcher = proc.start("/usr/bin/snap");
    const int shell = proc.start("/usr/bin/bash");
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {"tradingview"}, proc.root());
    watcher.poll();
    // A launcher that execs the application soon after it was first read.
    proc.put(launcher, "/snap/tradingview/55/tradingview");
    EXPECT_TRUE(watcher.poll());
    watcher.poll();
    // Grown up, an unwatched process is not read until the table is listed;
    // a watched one that ends as a zombie stops counting at once.
    proc.put(shell, "/usr/bin/bash", 'Z');
    proc.put(launcher, "/snap/tradingview/55/tradingview", 'Z');
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"bash"});
}

TEST(ProcessApplicationsWatcherTest, AGrownUpProcessThatExecsAnotherProgramIsReadAgain) {
    FakeProc proc;
    const int launcher = proc.start("/usr/bin/sh");
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {"tradingview"}, proc.root());
    for (int i = 0; i < 5; ++i) watcher.poll();
    // Same PID, same start time, no counter moves: only the command name tells.
    proc.put(launcher, "/opt/tv/tradingview");
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"tradingview"});
    EXPECT_FALSE(watcher.poll());
    // Past its first minute under watch a process's name is compared on one
    // poll in eight, so an exec is seen within eight seconds.
    for (int i = 0; i < 60; ++i) watcher.poll();
    proc.put(launcher, "/usr/bin/sh");
    for (int i = 0; i < 8 && watcher.runningBundleIdentifiers() != Names{"sh"}; ++i) watcher.poll();
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"sh"});
}

TEST(ProcessApplicationsWatcherTest, AProgramExecedLateIsWatchedLikeOneFoundAtStart) {
    // It exits and is reaped, or it exits and stays a zombie: either way it stops counting within a second.
    for (const bool reaped : {true, false}) {
        SCOPED_TRACE(reaped ? "reaped" : "zombie");
        FakeProc proc;
        const int launcher = proc.start("/usr/bin/sh");
        Base::ManualScheduler scheduler;
        ProcessApplicationsWatcher watcher(scheduler, {"tradingview"}, proc.root());
        std::set<std::string> running = watcher.runningBundleIdentifiers();
        watcher.startObserving([&] { running = watcher.runningBundleIdentifiers(); });
        // Past its first minute under watch, the launcher execs the chart program.
        scheduler.advance(61 * ProcessApplicationsWatcher::pollInterval);
        proc.put(launcher, "/opt/tv/tradingview");
        for (int i = 0; i < 8 && !running.contains("tradingview"); ++i) {
            scheduler.advance(ProcessApplicationsWatcher::pollInterval);
        }
        ASSERT_EQ(running, Names{"tradingview"});
        if (reaped) {
            proc.end(launcher);
        } else {
            proc.put(launcher, "/opt/tv/tradingview", 'Z');
        }
        scheduler.advance(ProcessApplicationsWatcher::pollInterval);
        EXPECT_EQ(running, Names{});
    }
}

TEST(ProcessApplicationsWatcherTest, ALauncherNamedAsTheProgramIsSeenWhenItExecsIt) {
    // A script named as the program it starts runs as its shell under the
    // program's name (the kernel names a process after the file it execs), so
    // the exec leaves the command name as it was: only the executable tells.
    const struct {
        const char* when;
        int pollsBeforeExec, pollsToNotice;
    } cases[] = {
        {"while it is new", 1, 1},
        {"later in its first minute", 5, 1},
        {"past its first minute, when one poll in eight looks", 65, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.when);
        FakeProc proc;
        const int launcher = proc.start("/usr/bin/sh", "tradingview");
        Base::ManualScheduler scheduler;
        ProcessApplicationsWatcher watcher(scheduler, {"tradingview"}, proc.root());
        for (int i = 0; i < c.pollsBeforeExec; ++i) watcher.poll();
        ASSERT_FALSE(watcher.runningBundleIdentifiers().contains("tradingview"));
        proc.put(launcher, "/opt/Тест/tradingview");
        for (int i = 0; i < c.pollsToNotice && !watcher.runningBundleIdentifiers().contains("tradingview"); ++i) {
            watcher.poll();
        }
        EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"tradingview"});
    }
}

TEST(ProcessApplicationsWatcherTest, PollsEverySecondAndLooksAgainHalfASecondAfterAChange) {
    FakeProc proc;
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {}, proc.root());
    watcher.poll();
    int calls = 0;
    watcher.startObserving([&] { ++calls; });
    watcher.startObserving([&] { ++calls; });
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    proc.start("/opt/tv/tradingview");
    scheduler.advance(1.0);
    EXPECT_EQ(calls, 1);
    scheduler.advance(0.5);
    EXPECT_EQ(calls, 2);
    scheduler.advance(3);
    EXPECT_EQ(calls, 2);
    watcher.stopObserving();
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST(ProcessApplicationsWatcherTest, SeesARealProcessStartAndEnd) {
    Base::Testing::TemporaryFolder folder;
    std::string program = (folder.path() / "tradingview").string(), seconds = "60";
    fs::copy_file("/bin/sleep", program);
    Base::RunLoopScheduler loop;
    const auto triggers = WaylarkKit::LaunchOptions::defaultTriggers();
    std::optional<bool> present;
    WaylarkKit::PresenceController controller(
        triggers,
        std::make_unique<ProcessApplicationsWatcher>(loop, WaylarkKit::PresenceAliases::expanded(triggers)),
        [&](bool now) { present = now; });
    controller.start();
    ASSERT_TRUE(present.has_value());
    // A real chart program (or another run of this test) already counts.
    if (*present) GTEST_SKIP() << "a program named tradingview already runs";

    pid_t child = 0;
    char* argv[] = {program.data(), seconds.data(), nullptr};
    ASSERT_EQ(::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ), 0);
    EXPECT_TRUE(loop.runUntil([&] { return present == true; }, 20.0));
    // Killed and not yet reaped: a zombie, which does not run.
    ::kill(child, SIGKILL);
    EXPECT_TRUE(loop.runUntil([&] { return present == false; }, 20.0));
    ::waitpid(child, nullptr, 0);
}
