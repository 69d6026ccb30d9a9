#include <gtest/gtest.h>

#include "WaylarkKit/Presence/PresenceController.h"

using WaylarkKit::PresenceController;
using WaylarkKit::RunningApplicationsWatching;

namespace {

// What a fake system runs, kept by the test so it outlives the controller.
struct Apps {
    std::set<std::string> running;
    RunningApplicationsWatching::Handler handler;
    int starts = 0;
};

class FakeWatcher final : public RunningApplicationsWatching {
public:
    explicit FakeWatcher(Apps& apps) : apps_(apps) {}
    std::set<std::string> runningBundleIdentifiers() override { return apps_.running; }
    void startObserving(Handler handler) override {
        ++apps_.starts;
        apps_.handler = std::move(handler);
    }
    void stopObserving() override { apps_.handler = nullptr; }

private:
    Apps& apps_;
};

const std::string chart = "com.tradingview.tradingviewapp.desktop";

struct Fixture {
    Apps apps;
    std::vector<bool> calls;
    std::unique_ptr<PresenceController> controller;

    void start(std::set<std::string> triggers) {
        controller = std::make_unique<PresenceController>(std::move(triggers), std::make_unique<FakeWatcher>(apps),
                                                          [this](bool present) { calls.push_back(present); });
        controller->start();
    }
    // A launch or quit: the handler runs at once and again a little later.
    void change(std::set<std::string> running) {
        apps.running = std::move(running);
        apps.handler();
        apps.handler();
    }
};

}  // namespace

TEST(PresenceControllerTest, ReportsOnceAtStartThenOnlyFlips) {
    Fixture f;
    f.apps.running = {"org.gnome.Terminal", chart};
    f.start({chart});
    EXPECT_EQ(f.calls, std::vector<bool>{true});
    EXPECT_EQ(f.controller->isPresent(), true);
    f.change({"org.gnome.Terminal", chart, "firefox"});
    f.change({"firefox"});
    f.change({"firefox", chart});
    EXPECT_EQ(f.calls, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(f.apps.starts, 1);
}

TEST(PresenceControllerTest, AbsentAtStartIsStillReported) {
    Fixture f;
    f.apps.running = {"firefox"};
    f.start({chart});
    EXPECT_EQ(f.calls, std::vector<bool>{false});
}

TEST(PresenceControllerTest, TwoTriggersRunningAndOneQuitsStaysPresent) {
    Fixture f;
    f.apps.running = {"a.one", "b.two"};
    f.start({"a.one", "b.two"});
    f.change({"b.two"});
    EXPECT_EQ(f.calls, std::vector<bool>{true});
    EXPECT_EQ(f.controller->isPresent(), true);
}

TEST(PresenceControllerTest, EmptyTriggersNeverReportPresence) {
    Fixture f;
    f.apps.running = {chart, "tradingview"};
    f.start({});
    f.change({chart, "tradingview", "a.b"});
    EXPECT_EQ(f.calls, std::vector<bool>{false});
}

TEST(PresenceControllerTest, TheChartingAppIsKnownHereByItsProgramName) {
    Fixture f;
    f.apps.running = {"tradingview"};
    f.start({chart});
    EXPECT_EQ(f.calls, std::vector<bool>{true});
}

TEST(PresenceControllerTest, AHandlerLeftBehindDoesNothing) {
    Fixture f;
    f.start({chart});
    f.controller.reset();
    f.apps.running = {chart};
    f.apps.handler();
    EXPECT_EQ(f.calls, std::vector<bool>{false});
}
