#include <gtest/gtest.h>

#include "WaylarkKit/Presence/PresenceController.h"

using WaylarkKit::PresenceController;

namespace {

using Names = std::set<std::string>;

// What a fake system runs, kept by the test so that it can outlive the controller.
struct Apps {
    Names running;
    std::function<void()> handler;
};

struct FakeWatcher final : WaylarkKit::RunningApplicationsWatching {
    explicit FakeWatcher(Apps& fake) : apps(fake) {}
    Names runningBundleIdentifiers() override { return apps.running; }
    void startObserving(Handler handler) override { apps.handler = std::move(handler); }
    void stopObserving() override { apps.handler = nullptr; }
    Apps& apps;
};

const std::string chart = "com.tradingview.tradingviewapp.desktop";

}  // namespace

TEST(PresenceControllerTest, ReportsOnceAtStartThenOnlyFlips) {
    const struct {
        Names triggers;
        std::vector<Names> running;  // at start, then after each launch or quit
        std::vector<bool> calls;
    } cases[] = {
        {{chart}, {{"org.gnome.Terminal", chart}, {"org.gnome.Terminal", chart, "firefox"}, {"firefox"}, {chart}},
         {true, false, true}},
        {{chart}, {{"firefox"}, {"firefox", "a.b"}}, {false}},
        {{"a.one", "b.two"}, {{"a.one", "b.two"}, {"b.two"}}, {true}},
        {{}, {{chart, "tradingview"}, {"a.b"}, {chart}}, {false}},
        {{chart}, {{"tradingview"}}, {true}},  // the program's name on this system
    };
    for (const auto& c : cases) {
        Apps apps{c.running.front(), {}};
        std::vector<bool> calls;
        PresenceController controller(c.triggers, std::make_unique<FakeWatcher>(apps),
                                      [&](bool present) { calls.push_back(present); });
        controller.start();
        ASSERT_EQ(calls.size(), 1u);
        for (std::size_t i = 1; i < c.running.size(); ++i) {
            apps.running = c.running[i];
            apps.handler();  // at once, and again a little later
            apps.handler();
        }
        EXPECT_EQ(calls, c.calls) << testing::PrintToString(c.triggers);
        EXPECT_EQ(controller.isPresent(), c.calls.back());
    }
}

TEST(PresenceControllerTest, AHandlerLeftBehindDoesNothing) {
    Apps apps;
    int calls = 0;
    auto controller = std::make_unique<PresenceController>(Names{chart}, std::make_unique<FakeWatcher>(apps),
                                                           [&](bool) { ++calls; });
    controller->start();
    const auto handler = apps.handler;
    controller.reset();
    apps.running = {chart};
    handler();
    EXPECT_EQ(calls, 1);
}
