#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "WaylarkKit/App/ChecklistCompletionWatch.h"

using namespace WaylarkKit;

namespace {

class ChecklistCompletionWatchTest : public ::testing::Test {
protected:
    ChecklistCompletionWatchTest() {
        first = *checklist.createTemplate("Morning");
        a = *checklist.addItem(first, "Plan");
        b = *checklist.addItem(first, "Levels");
        second = *checklist.createTemplate("Evening");
        c = *checklist.addItem(second, "Journal");
        checklist.selectTemplate(first);
    }

    // Applies a change the way the interface does, then lets the watch look.
    void change(const std::function<void()>& edit) {
        edit();
        scheduler.runPending();
    }

    Base::ManualScheduler scheduler;
    ChecklistKit::ChecklistModel checklist{std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4};
    int celebrations = 0;
    int subscriptions = 0;
    ChecklistCompletionWatch watch{checklist, scheduler, [this] { ++celebrations; },
                                   [this](std::function<void()> observer) {
                                       ++subscriptions;
                                       auto inner = std::make_shared<Base::Subscription>(checklist.observeState(std::move(observer)));
                                       return Base::Subscription([this, inner] {
                                           --subscriptions;
                                           inner->reset();
                                       });
                                   }};
    Base::Uuid first, second, a, b, c;
};

}  // namespace

TEST_F(ChecklistCompletionWatchTest, OneCelebrationPerCompletion) {
    watch.start();
    change([&] { checklist.toggle(a); });
    EXPECT_EQ(celebrations, 0);
    change([&] { checklist.toggle(b); });
    EXPECT_EQ(celebrations, 1);
    // Still complete: no second celebration.
    change([&] { checklist.renameTemplate(first, "Morning plan"); });
    EXPECT_EQ(celebrations, 1);
    change([&] { checklist.toggle(b); });
    change([&] { checklist.toggle(b); });
    EXPECT_EQ(celebrations, 2);
}

TEST_F(ChecklistCompletionWatchTest, ASwitchToACompleteChecklistIsNoCompletion) {
    checklist.selectTemplate(second);
    checklist.toggle(c);
    checklist.selectTemplate(first);
    watch.start();
    change([&] { checklist.selectTemplate(second); });
    change([&] { checklist.renameTemplate(second, "Evening review"); });
    EXPECT_EQ(celebrations, 0);
}

TEST_F(ChecklistCompletionWatchTest, AnEmptyChecklistNeverCompletes) {
    const auto empty = *checklist.createTemplate("Empty");
    watch.start();
    change([&] { checklist.renameTemplate(empty, "Still empty"); });
    EXPECT_EQ(celebrations, 0);
    EXPECT_FALSE(ChecklistCompletionWatch::isComplete(ChecklistKit::ChecklistProgress{0, 0}));
}

TEST_F(ChecklistCompletionWatchTest, OneSubscriptionHoweverOftenItStartsAndNoneWhileStopped) {
    checklist.toggle(a);
    for (int cycle = 0; cycle < 3; ++cycle) {
        watch.start();
        watch.start();
        EXPECT_EQ(subscriptions, 1);
        change([&] { checklist.toggle(b); });
        EXPECT_EQ(celebrations, cycle + 1);
        // A change waiting for its check when the watch stops is never checked.
        checklist.toggle(b);
        watch.stop();
        EXPECT_EQ(subscriptions, 0);
        change([&] { checklist.toggle(b); });
        change([&] { checklist.toggle(b); });
        EXPECT_EQ(celebrations, cycle + 1);
    }
}
