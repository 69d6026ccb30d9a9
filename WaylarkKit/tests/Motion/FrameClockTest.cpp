#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Motion/FrameClock.h"

using WaylarkKit::FrameClock;

TEST(FrameClockTest, RunsOnTheSteadyClockUntilSettledOrDroppedAndThenQueuesNothing) {
    Base::ManualScheduler scheduler;
    FrameClock clock(scheduler);

    int frames = 0;
    auto settling = clock.run([&](double) { return ++frames < 5; }, 10);
    scheduler.advance(2);
    EXPECT_EQ(frames, 5);
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    int dropped = 0;
    auto handle = clock.run([&](double) { return ++dropped > 0; }, 10);
    scheduler.advance(0.35);
    EXPECT_EQ(dropped, 4);  // at once, then at 0.1, 0.2 and 0.3 s
    handle.cancel();
    scheduler.advance(1);
    EXPECT_EQ(dropped, 4);
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    int still = 0;
    EXPECT_FALSE(clock.run([&](double) { ++still; return false; }).isScheduled());
    EXPECT_EQ(still, 1);

    // Frames see the steady clock: the wall clock jumping back is nothing to them.
    std::vector<double> times;
    auto steady = clock.run([&](double t) { times.push_back(t); return times.size() < 3; }, 4);
    scheduler.setNow(Base::Date(0));
    scheduler.advance(1);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_DOUBLE_EQ(times[1] - times[0], 0.25);
    EXPECT_DOUBLE_EQ(times[2] - times[1], 0.25);
}

TEST(FrameClockTest, SlowAnimationsShareFramesAndKeepTheirCadence) {
    Base::ManualScheduler scheduler;
    FrameClock pulse(scheduler), breathing(scheduler);
    std::set<double> painted;
    int pulses = 0, breaths = 0;
    auto a = pulse.run([&](double t) { return painted.insert(t), ++pulses; }, 10);
    scheduler.advance(0.03);
    auto b = breathing.run([&](double t) { return painted.insert(t), ++breaths; }, 4);
    scheduler.advance(2);
    EXPECT_EQ(pulses, 21);
    EXPECT_EQ(breaths, 9);
    // Only the breathing's first frame, at its start, is drawn apart.
    EXPECT_EQ(painted.size(), 22u);
}

TEST(FrameClockTest, ATaskWaitsForTheNextFrameOnlyWhileSomethingAnimatesSoon) {
    Base::ManualScheduler scheduler;
    FrameClock clock(scheduler);
    std::vector<double> ran;
    const auto task = [&] { ran.push_back(clock.now()); };

    // Nothing animates: at once.
    EXPECT_FALSE(clock.withNextFrame(task).isScheduled());
    EXPECT_EQ(ran, std::vector<double>{0});

    std::vector<double> frames;
    auto breathing = clock.run([&](double t) { return frames.push_back(t), true; }, 4);
    scheduler.advance(0.1);
    auto waiting = clock.withNextFrame(task);
    EXPECT_TRUE(waiting.isScheduled());
    scheduler.advance(0.2);
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_DOUBLE_EQ(ran[1], 0.25);
    EXPECT_DOUBLE_EQ(frames.back(), 0.25);
    // A dropped task never runs.
    clock.withNextFrame(task).cancel();
    scheduler.advance(0.5);
    EXPECT_EQ(ran.size(), 2u);
    // A frame further off than the task may wait: at once.
    auto slow = clock.run([](double) { return true; }, 1);
    breathing.cancel();
    scheduler.advance(0.5);
    EXPECT_FALSE(clock.withNextFrame(task, 0.25).isScheduled());
    EXPECT_EQ(ran.size(), 3u);
}
