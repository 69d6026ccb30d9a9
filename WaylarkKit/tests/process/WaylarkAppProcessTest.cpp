#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "Base/FileSystem.h"
#include "Base/ManualScheduler.h"
#include "Base/testing/EnvironmentVariable.h"
#include "Base/testing/TemporaryFolder.h"
#include "ChecklistKit/FileChecklistStore.h"
#include "IslandKit/tests/support/Waiting.h"
#include "SettingsKit/FileSettingsStore.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/OpenRequestListener.h"
#include "WaylarkKit/Launch/SecondLaunch.h"
#include "WaylarkKit/tests/support/ProgramRun.h"

using namespace WaylarkKit;
using Base::Testing::EnvironmentVariable;
using IslandKitTest::waitUntil;
namespace fs = std::filesystem;

namespace {

// One run of the program, in this process's environment, with its standard error captured.
struct App : WaylarkKitTest::ProgramRun {
    explicit App(std::vector<std::string> arguments) : ProgramRun(WAYLARK_APP_PATH, std::move(arguments)) {}
};

// Private data and runtime folders for this test and the programs it starts.
struct Session {
    Base::Testing::TemporaryFolder folder;
    fs::path data = folder.path() / "data", lock = data / "OrlTradingWaylark" / "instance.lock";
    Session() {
        const fs::path runtime = folder.path() / "run";
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        ::setenv("XDG_DATA_HOME", data.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
};

// This test standing in for the first process: it holds the lock and counts open requests.
struct FirstProcess {
    InstanceLock::Outcome lock;
    Base::ManualScheduler scheduler;
    int requests = 0;
    Base::Result<std::unique_ptr<OpenRequestListener>> listener;
    explicit FirstProcess(const Session& session)
        : lock(InstanceLock::acquire(session.lock)),
          listener(OpenRequestListener::start(scheduler, OpenRequest::socketPath(), [this] { ++requests; })) {}
    bool ready() const { return lock.lock && listener; }
    bool received(int count) {
        return waitUntil([&] {
            scheduler.runPending();
            return requests == count;
        });
    }
};

}  // namespace

TEST(WaylarkAppProcessTest, FirstHoldsTheLockSecondSaysSoAndEndsFirstQuitsCleanly) {
    Session session;
    App first({"--from-autostart"});
    // The socket comes after the lock: once it is there, the lock is held.
    ASSERT_TRUE(waitUntil([&] { return fs::exists(OpenRequest::socketPath()); }));
    EXPECT_EQ(Base::FileSystem::permissions(session.lock.parent_path()), 0700);
    EXPECT_EQ(Base::FileSystem::permissions(session.lock), 0600);

    App second({"--from-autostart"});
    ASSERT_TRUE(second.waitForExit(10));
    EXPECT_EQ(second.exitStatus(), 0);
    EXPECT_EQ(second.errors, SecondLaunch::message);
    EXPECT_GE(second.seconds(), 0.25);
    EXPECT_LE(second.seconds(), 0.6);

    first.signal(SIGTERM);
    ASSERT_TRUE(first.waitForExit(20));
    EXPECT_EQ(first.exitStatus(), 0) << first.errors;
    EXPECT_FALSE(fs::exists(OpenRequest::socketPath()));
    EXPECT_EQ(fs::file_size(session.lock), 0u);
    EXPECT_EQ(InstanceLock::acquire(session.lock).kind, InstanceLock::Outcome::Kind::acquired);
}

TEST(WaylarkAppProcessTest, ASecondStartAsksToOpenOnlyWhenTheUserStartedIt) {
    const struct {
        std::vector<std::string> arguments;
        int requests;
    } cases[] = {{{"--from-launcher"}, 1}, {{}, 1}, {{"--from-autostart"}, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        Session session;
        FirstProcess first(session);
        ASSERT_TRUE(first.ready());

        App second(c.arguments);
        ASSERT_TRUE(second.waitForExit(10));
        EXPECT_EQ(second.exitStatus(), 0);
        // A request of our own, sent after the program ended, comes after any of its own.
        ASSERT_TRUE(OpenRequest::send(OpenRequest::socketPath()));
        EXPECT_TRUE(first.received(c.requests + 1));
    }
}

TEST(WaylarkAppProcessTest, ALockThatCannotBeMadeIsAnErrorNotASecondInstance) {
    Session session;
    Base::Testing::writeBytes(session.data, "a file where the data folder should be");
    App app({});
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 1);
    EXPECT_EQ(app.errors, "Orl Trading Waylark cannot take its instance lock: " + session.data.string() +
                              " exists and is not a folder\n");
}

namespace {

// A display number that no X server on this machine uses.
std::string freeDisplay() {
    for (int n = 150;; ++n) {
        if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) && !fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            return ":" + std::to_string(n);
    }
}

}  // namespace

TEST(WaylarkAppProcessTest, WithoutAnXDisplayItSaysWhatIsMissingAndEnds) {
    Session session;
    const EnvironmentVariable platform("QT_QPA_PLATFORM", nullptr);
    const std::string unreachable = freeDisplay();
    const struct {
        const char* display;
        const char* wayland;
        std::string line;
    } cases[] = {
        {nullptr, nullptr, "DISPLAY is not set"},
        // A Wayland session without XWayland.
        {nullptr, "wayland-0", "DISPLAY is not set"},
        {unreachable.c_str(), nullptr, "cannot open display " + unreachable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const EnvironmentVariable display("DISPLAY", c.display), wayland("WAYLAND_DISPLAY", c.wayland);
        App app({"--always-on"});
        ASSERT_TRUE(app.waitForExit(20));
        EXPECT_EQ(app.exitStatus(), 1);
        EXPECT_EQ(app.errors, "Orl Trading Waylark needs an X11 display: " + c.line + "\n");
        EXPECT_FALSE(fs::exists(OpenRequest::socketPath()));
    }
}

TEST(WaylarkAppProcessTest, ASecondStartWhoseStandardErrorIsClosedStillAsksToOpen) {
    Session session;
    FirstProcess first(session);
    ASSERT_TRUE(first.ready());

    // Standard error is a pipe whose reader has gone, as under `| true`.
    int pipe[2];
    ASSERT_EQ(::pipe2(pipe, O_CLOEXEC), 0);
    ::close(pipe[0]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    std::string program = WAYLARK_APP_PATH;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_TRUE(first.received(1));
}

TEST(WaylarkAppProcessTest, ALostXServerStillSavesAndRemovesTheSocket) {
    Session session;
    const std::string display = freeDisplay();
    WaylarkKitTest::ProgramRun server("/usr/bin/Xvfb", {display, "-nolisten", "tcp", "-screen", "0", "1280x800x24"});
    ASSERT_TRUE(waitUntil([&] { return fs::exists("/tmp/.X11-unix/X" + display.substr(1)); }));
    const EnvironmentVariable platform("QT_QPA_PLATFORM", "xcb"), to("DISPLAY", display.c_str());
    // Qt's X11 start-up trips the strict string checks inside libxkbcommon; its caches live for the run.
    const EnvironmentVariable asan("ASAN_OPTIONS", "detect_leaks=1:abort_on_error=1:strict_string_checks=0"),
        lsan("LSAN_OPTIONS", "suppressions=" WAYLARK_LEAK_SUPPRESSIONS);
    const fs::path settings = SettingsKit::FileSettingsStore::defaultPath(),
                   checklists = ChecklistKit::FileChecklistStore::defaultURL();
    // Started by hand: it listens for open requests and shows the island at once.
    App app({});
    ASSERT_TRUE(waitUntil([&] { return fs::exists(OpenRequest::socketPath()); }));
    // What the first run holds lives only in memory until a save.
    EXPECT_FALSE(fs::exists(settings));
    EXPECT_FALSE(fs::exists(checklists));

    server.signal(SIGKILL);
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 1) << app.errors;
    EXPECT_NE(app.errors.find("The X11 connection broke"), std::string::npos) << app.errors;
    EXPECT_TRUE(fs::exists(settings));
    EXPECT_TRUE(fs::exists(checklists));
    EXPECT_FALSE(fs::exists(OpenRequest::socketPath()));
}

TEST(WaylarkAppProcessTest, AUserWithoutAHomeIsToldSoAndNothingIsWritten) {
    // A user the password database does not know, which only root can become.
    constexpr int stranger = 54321;
    if (::geteuid() != 0 || ::getpwuid(stranger) != nullptr) GTEST_SKIP() << "needs root and an unknown user id";
    Session session;
    const EnvironmentVariable home("HOME", nullptr), data("XDG_DATA_HOME", nullptr);
    const std::string id = std::to_string(stranger);
    WaylarkKitTest::ProgramRun app("/usr/bin/setpriv",
                                   {"--reuid=" + id, "--regid=" + id, "--clear-groups", WAYLARK_APP_PATH});
    ASSERT_TRUE(app.waitForExit(20));
    EXPECT_EQ(app.exitStatus(), 1);
    EXPECT_EQ(app.errors, "Orl Trading Waylark needs a home folder: HOME is not set and the password database has no "
                          "entry for this user\n");
}
