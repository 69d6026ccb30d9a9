#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/Checklist/HoldToConfirm.h"

using Base::Testing::NotificationCounter;
using WaylarkKit::HoldToConfirm;

namespace {

struct Hold {
    Base::ManualScheduler scheduler;
    HoldToConfirm hold{1.0, scheduler};
    int completions = 0;
    Hold() {
        hold.setOnComplete([this] { ++completions; });
    }
};

}  // namespace

TEST(HoldToConfirmTest, AFullHoldCompletesOnceAndEmptiesAfterTheResetDelay) {
    Hold h;
    NotificationCounter holding([&](auto o) { return h.hold.observeIsHolding(o); });
    h.hold.begin(h.hold.now(), true);
    EXPECT_TRUE(h.hold.isHolding());
    h.scheduler.advance(0.5);
    EXPECT_NEAR(h.hold.progress(), 0.5, 0.034);
    h.hold.begin(h.hold.now(), true);  // a later movement of the same press
    h.scheduler.advance(0.53);
    EXPECT_EQ(h.completions, 1);
    EXPECT_DOUBLE_EQ(h.hold.progress(), 1);
    EXPECT_FALSE(h.hold.isHolding());
    EXPECT_FALSE(h.hold.startedAt());
    EXPECT_EQ(holding.take(), 2u);
    h.hold.cancel();  // releasing after completion changes nothing
    h.scheduler.advance(HoldToConfirm::resetDelay);
    EXPECT_DOUBLE_EQ(h.hold.progress(), 0);
    h.scheduler.advance(5);
    EXPECT_EQ(h.completions, 1);
    EXPECT_EQ(h.scheduler.pendingCount(), 0u);  // no ticker left behind
}

TEST(HoldToConfirmTest, SettingTheWallClockDuringAHoldChangesNothing) {
    for (const double jump : {-3600.0, 3600.0}) {
        Hold h;
        h.hold.begin(h.hold.now(), true);
        h.scheduler.advance(0.4);
        h.scheduler.setNow(h.scheduler.now() + jump);
        h.scheduler.advance(0.4);
        EXPECT_EQ(h.completions, 0) << jump;
        EXPECT_NEAR(h.hold.progress(), 0.8, 0.034) << jump;
        h.scheduler.advance(0.25);
        EXPECT_EQ(h.completions, 1) << jump;
    }
}

TEST(HoldToConfirmTest, ManualUpdatesAndOddInstants) {
    Hold h;
    h.hold.begin(10, false);
    h.scheduler.advance(2);
    EXPECT_DOUBLE_EQ(h.hold.progress(), 0);  // no ticker
    for (const auto& [at, progress] : {std::pair{9.0, 0.0}, {10.25, 0.25}, {10.75, 0.75}}) {
        h.hold.update(at);
        EXPECT_NEAR(h.hold.progress(), progress, 1e-9) << at;
    }
    h.hold.update(12);
    EXPECT_EQ(h.completions, 1);
    h.hold.update(13);  // not holding: ignored
    EXPECT_EQ(h.completions, 1);

    // A hold begun within the reset delay is set back once and then restored.
    h.scheduler.advance(0.1);
    h.hold.begin(20, false);
    h.hold.update(20.5);
    h.scheduler.advance(HoldToConfirm::resetDelay);
    EXPECT_DOUBLE_EQ(h.hold.progress(), 0);
    h.hold.update(20.6);
    EXPECT_NEAR(h.hold.progress(), 0.6, 1e-9);

    Base::ManualScheduler scheduler;
    HoldToConfirm instant(0, scheduler);
    int done = 0;
    instant.setOnComplete([&] { ++done; });
    instant.begin(5, false);
    instant.update(5);
    EXPECT_DOUBLE_EQ(instant.progress(), 0);
    instant.update(5.001);
    EXPECT_EQ(done, 1);
}
