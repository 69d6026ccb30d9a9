#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include "Base/FileSystem.h"
#include "Base/ManualScheduler.h"
#include "Base/testing/TemporaryFolder.h"
#include "IslandKit/tests/support/Waiting.h"
#include "WaylarkKit/App/InstanceLock.h"
#include "WaylarkKit/Launch/OpenRequest.h"
#include "WaylarkKit/Launch/OpenRequestListener.h"
#include "WaylarkKit/Launch/SecondLaunch.h"
#include "WaylarkKit/tests/support/ProgramRun.h"

using namespace WaylarkKit;
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
        // This test stands in for the first process.
        Session session;
        const auto lock = InstanceLock::acquire(session.lock);
        Base::ManualScheduler scheduler;
        int requests = 0;
        const auto listener = OpenRequestListener::start(scheduler, OpenRequest::socketPath(), [&] { ++requests; });
        ASSERT_TRUE(lock.lock && listener);

        App second(c.arguments);
        ASSERT_TRUE(second.waitForExit(10));
        EXPECT_EQ(second.exitStatus(), 0);
        // A request of our own, sent after the program ended, comes after any of its own.
        ASSERT_TRUE(OpenRequest::send(OpenRequest::socketPath()));
        EXPECT_TRUE(waitUntil([&] {
            scheduler.runPending();
            return requests == c.requests + 1;
        }));
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
