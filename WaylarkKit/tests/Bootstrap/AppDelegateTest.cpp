#include <gtest/gtest.h>

#include <cstdlib>

#include "Base/ManualScheduler.h"
#include "Base/testing/TemporaryFolder.h"
#include "WaylarkKit/AppDelegate.h"
#include "WaylarkKit/OpenRequest.h"

using namespace WaylarkKit;

namespace {

// A private runtime folder for the open-request socket, restored afterwards.
struct Session {
    Base::Testing::TemporaryFolder folder;
    std::optional<std::string> saved;
    Base::ManualScheduler scheduler;

    Session() {
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) saved = old;
        ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
    }
    ~Session() { saved ? ::setenv("XDG_RUNTIME_DIR", saved->c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR"); }

    AppDelegate make(const std::vector<std::string>& arguments) {
        auto lock = InstanceLock::acquire(folder.path() / "data" / "instance.lock");
        return AppDelegate(LaunchOptions::fromArguments(arguments), std::move(*lock.lock), scheduler,
                           launchedByUser(arguments));
    }
};

}  // namespace

TEST(AppDelegateTest, WaitsForTheChartingAppUntilASecondLaunchOpensIt) {
    Session session;
    auto delegate = session.make({"--from-autostart", "--trigger", "no.such.app"});
    delegate.applicationDidFinishLaunching();
    EXPECT_TRUE(delegate.hasPresence());
    ASSERT_TRUE(delegate.hearsOpenRequests());
    EXPECT_FALSE(delegate.isActive());
    ASSERT_TRUE(OpenRequest::send(OpenRequest::socketPath()));
    ASSERT_TRUE(session.scheduler.waitForDue(10));
    session.scheduler.runPending();
    EXPECT_TRUE(delegate.isActive());
    EXPECT_TRUE(delegate.openedManually());
}

TEST(AppDelegateTest, LaunchOptionsDecideWhatIsWatched) {
    const struct {
        std::vector<std::string> arguments;
        bool active, manual, watches;
    } cases[] = {
        {{"--always-on"}, true, false, false},
        {{"--showreel", "--from-launcher"}, true, false, false},
        {{"--from-launcher", "--trigger", "no.such.app"}, true, true, true},
        {{"--from-autostart", "--trigger", "no.such.app"}, false, false, true},
    };
    for (const auto& c : cases) {
        Session session;
        auto delegate = session.make(c.arguments);
        delegate.applicationDidFinishLaunching();
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_EQ(delegate.isActive(), c.active);
        EXPECT_EQ(delegate.openedManually(), c.manual);
        EXPECT_EQ(delegate.hasPresence(), c.watches);
        EXPECT_EQ(delegate.hearsOpenRequests(), c.watches);
    }
}
