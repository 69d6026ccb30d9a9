#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/App/SuspendClockWatcher.h"

using namespace WaylarkKit;

TEST(SuspendClockWatcherTest, AJumpOfTheSuspendClockBetweenTwoLooksIsAWake) {
    Base::ManualScheduler scheduler;
    double suspended = 12;
    int wakes = 0;
    SuspendClockWatcher watcher(scheduler, [&] { return suspended; });
    watcher.start([&] { ++wakes; });

    const struct {
        double sleptBefore;
        int wakes;
    } looks[] = {{0, 0}, {0.3, 0}, {5.0, 0}, {5.5, 1}, {0, 1}, {3600, 2}};
    for (const auto& look : looks) {
        suspended += look.sleptBefore;
        scheduler.advance(SuspendClockWatcher::pollInterval);
        EXPECT_EQ(wakes, look.wakes) << look.sleptBefore;
    }

    watcher.stop();
    suspended += 60;
    scheduler.advance(10 * SuspendClockWatcher::pollInterval);
    EXPECT_EQ(wakes, 2);
    // A new start measures from its own moment, not from the last look.
    watcher.start([&] { ++wakes; });
    scheduler.advance(SuspendClockWatcher::pollInterval);
    EXPECT_EQ(wakes, 2);
}

TEST(SuspendClockWatcherTest, TheSystemClocksReadNoSuspendBackwards) {
    const double first = SuspendClockWatcher::systemSuspendedSeconds();
    EXPECT_GE(first, -0.01);
    EXPECT_GE(SuspendClockWatcher::systemSuspendedSeconds(), first - 0.01);
}
