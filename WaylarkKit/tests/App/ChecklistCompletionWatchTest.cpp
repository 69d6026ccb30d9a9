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
        checklist.toggle(*checklist.addItem(first, "Plan"));
        last = *checklist.addItem(first, "Levels");
        second = *checklist.createTemplate("Evening");
        checklist.toggle(*checklist.addItem(second, "Journal"));
        empty = *checklist.createTemplate("Empty");
        checklist.selectTemplate(first);
    }
    // A change as the interface makes it; the watch looks once it has been applied.
    void change(const std::function<void()>& edit) {
        edit();
        scheduler.runPending();
    }

    Base::ManualScheduler scheduler;
    ChecklistKit::ChecklistModel checklist{std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4};
    int celebrations = 0;
    int subscriptions = 0;
    // Subscribes to the checklist, counting the subscriptions alive.
    ChecklistCompletionWatch watch{
        checklist, scheduler, [this] { ++celebrations; },
        [this](std::function<void()> observer) {
            ++subscriptions;
            auto inner = std::make_shared<Base::Subscription>(checklist.observeState(std::move(observer)));
            return Base::Subscription([this, inner] {
                --subscriptions;
                inner->reset();
            });
        }};
    Base::Uuid first, second, empty, last;
};

}  // namespace

TEST_F(ChecklistCompletionWatchTest, OnlyTheActiveChecklistBecomingCompleteCelebrates) {
    watch.start();
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { checklist.toggle(last); }, 1},
        // Still complete after a change: no second celebration.
        {[&] { checklist.renameTemplate(first, "Morning plan"); }, 1},
        {[&] { checklist.toggle(last); }, 1},
        {[&] { checklist.toggle(last); }, 2},
        // Another checklist that is complete already is no completion, then or later.
        {[&] { checklist.toggle(last); }, 2},
        {[&] { checklist.selectTemplate(second); }, 2},
        {[&] { checklist.renameTemplate(second, "Evening review"); }, 2},
        // A checklist without items is never complete.
        {[&] { checklist.selectTemplate(empty); }, 2},
        {[&] { checklist.renameTemplate(empty, "Still empty"); }, 2},
    };
    for (const auto& [step, expected] : steps) {
        change(step);
        EXPECT_EQ(celebrations, expected);
    }
}

TEST_F(ChecklistCompletionWatchTest, OneSubscriptionHoweverOftenItStartsAndNoneWhileStopped) {
    for (int cycle = 1; cycle <= 3; ++cycle) {
        watch.start();
        watch.start();
        EXPECT_EQ(subscriptions, 1);
        change([&] { checklist.toggle(last); });
        EXPECT_EQ(celebrations, cycle);
        // A change waiting for its check when the watch stops is never checked.
        checklist.toggle(last);
        watch.stop();
        EXPECT_EQ(subscriptions, 0);
        change([&] { checklist.toggle(last); });
        change([&] { checklist.toggle(last); });
        EXPECT_EQ(celebrations, cycle);
    }
}
