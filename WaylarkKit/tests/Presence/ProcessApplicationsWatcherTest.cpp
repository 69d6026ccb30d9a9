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
using Base::Testing::writeBytes;
namespace fs = std::filesystem;

namespace {

// A process table laid out as /proc lays it out, changed by hand.
struct FakeProc {
    Base::Testing::TemporaryFolder folder;
    int tasks = 100;
    int lastPid = 100;

    const fs::path& root() const { return folder.path(); }
    // What the kernel's counters say after a task started or ended.
    void tick() { writeBytes(root() / "loadavg", "0.00 0.00 0.00 1/" + std::to_string(++tasks) + " " + std::to_string(++lastPid) + "\n"); }
    void put(int pid, const std::string& exe, char state = 'S', int start = 500) {
        const fs::path dir = root() / std::to_string(pid);
        fs::create_directories(dir);
        writeBytes(dir / "stat", std::to_string(pid) + " (x) " + state +
                                     " 1 1 1 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 " + std::to_string(start) + " 0\n");
        writeBytes(dir / "cgroup", "0::/user.slice/session-1.scope\n");
        fs::remove(dir / "exe");
        fs::create_symlink(exe, dir / "exe");
    }
    FakeProc() { tick(); }
};

using Names = std::set<std::string>;

}  // namespace

TEST(ProcessApplicationsWatcherTest, ListsProcessesOnlyWhenTheKernelCountedAChange) {
    FakeProc proc;
    proc.put(10, "/usr/bin/bash");
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {}, proc.root());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"bash"});

    proc.put(11, "/opt/tv/tradingview");
    EXPECT_FALSE(watcher.poll());  // nothing started as far as the counters tell
    proc.tick();
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), (Names{"bash", "tradingview"}));

    fs::remove_all(proc.root() / "11");
    proc.tick();
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"bash"});
}

TEST(ProcessApplicationsWatcherTest, AYoungProcessIsReadAgainInCaseItExecsTheApplication) {
    FakeProc proc;
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {}, proc.root());
    watcher.poll();
    proc.put(20, "/usr/bin/snap");
    proc.tick();
    watcher.poll();
    proc.put(20, "/snap/tradingview/55/tradingview");
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"tradingview"});
    // Grown up, it costs nothing more until the counters move.
    watcher.poll();
    proc.put(20, "/usr/bin/other");
    EXPECT_FALSE(watcher.poll());
}

TEST(ProcessApplicationsWatcherTest, WatchedApplicationThatEndsAsAZombieStopsCounting) {
    FakeProc proc;
    proc.put(30, "/opt/tv/tradingview", 'S', 700);
    proc.put(31, "/usr/bin/bash", 'S', 700);
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {"tradingview"}, proc.root());
    for (int i = 0; i < 3; ++i) watcher.poll();
    proc.put(30, "/opt/tv/tradingview", 'Z', 700);
    proc.put(31, "/usr/bin/bash", 'Z', 700);
    EXPECT_TRUE(watcher.poll());
    EXPECT_EQ(watcher.runningBundleIdentifiers(), Names{"bash"});  // unwatched: seen again only when listed
}

TEST(ProcessApplicationsWatcherTest, PollsEverySecondAndLooksAgainHalfASecondAfterAChange) {
    FakeProc proc;
    Base::ManualScheduler scheduler;
    ProcessApplicationsWatcher watcher(scheduler, {}, proc.root());
    int calls = 0;
    watcher.startObserving([&] { ++calls; });
    watcher.startObserving([&] { ++calls; });
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    proc.put(40, "/opt/tv/tradingview");
    proc.tick();
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
    const fs::path program = folder.path() / "tradingview";
    fs::copy_file("/bin/sleep", program);
    Base::RunLoopScheduler loop;
    const auto triggers = WaylarkKit::LaunchOptions::defaultTriggers();
    std::optional<bool> present;
    WaylarkKit::PresenceController controller(
        triggers,
        std::make_unique<ProcessApplicationsWatcher>(loop, WaylarkKit::PresenceAliases::expanded(triggers)),
        [&](bool now) { present = now; });
    controller.start();
    ASSERT_EQ(present, false) << "a program named tradingview already runs";

    pid_t child = 0;
    std::string path = program.string(), seconds = "60";
    char* argv[] = {path.data(), seconds.data(), nullptr};
    ASSERT_EQ(::posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ), 0);
    EXPECT_TRUE(loop.runUntil([&] { return present == true; }, 2.0));
    // Killed and not yet reaped: a zombie, which does not run.
    ::kill(child, SIGKILL);
    EXPECT_TRUE(loop.runUntil([&] { return present == false; }, 2.0));
    ::waitpid(child, nullptr, 0);
}
