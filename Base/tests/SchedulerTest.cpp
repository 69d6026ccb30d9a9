#include "Base/ManualScheduler.h"
#include "Base/RunLoopScheduler.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Base::Date;
using Base::ManualScheduler;

TEST(ManualSchedulerTest, RunsTasksInTimeOrderAsTheClockAdvances) {
    ManualScheduler scheduler(Date(1000));
    std::vector<std::string> log;
    auto late = scheduler.schedule(2, [&] { log.push_back("late@" + std::to_string(scheduler.now().secondsSince1970)); });
    auto early = scheduler.schedule(1, [&] { log.push_back("early@" + std::to_string(scheduler.now().secondsSince1970)); });
    scheduler.advance(0.5);
    EXPECT_TRUE(log.empty());
    scheduler.advance(5);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].substr(0, 10), "early@1001");
    EXPECT_EQ(log[1].substr(0, 9), "late@1002");
    EXPECT_EQ(scheduler.now(), Date(1005.5));
}

TEST(ManualSchedulerTest, DroppingOrCancellingAHandleCancelsTheTask) {
    ManualScheduler scheduler;
    int runs = 0;
    {
        auto dropped = scheduler.schedule(1, [&] { ++runs; });
    }
    auto cancelled = scheduler.schedule(1, [&] { ++runs; });
    cancelled.cancel();
    auto detached = scheduler.schedule(1, [&] { runs += 10; });
    detached.detach();
    scheduler.advance(2);
    EXPECT_EQ(runs, 10);
}

TEST(ManualSchedulerTest, ReplacingAHandleDebounces) {
    ManualScheduler scheduler;
    int saves = 0;
    Base::TaskHandle pending;
    for (int i = 0; i < 3; ++i) {
        pending = scheduler.schedule(0.4, [&] { ++saves; });
        scheduler.advance(0.1);
    }
    EXPECT_EQ(saves, 0);
    scheduler.advance(0.4);
    EXPECT_EQ(saves, 1);
}

TEST(ManualSchedulerTest, RepeatingTasksStopWhenCancelled) {
    ManualScheduler scheduler;
    int ticks = 0;
    auto timer = scheduler.repeat(1, [&] { ++ticks; });
    scheduler.advance(3.5);
    EXPECT_EQ(ticks, 3);
    timer.cancel();
    scheduler.advance(10);
    EXPECT_EQ(ticks, 3);
}

TEST(ManualSchedulerTest, WallClockJumpsDoNotMoveDelays) {
    ManualScheduler scheduler(Date(5000));
    int runs = 0;
    auto task = scheduler.schedule(10, [&] { ++runs; });
    scheduler.setNow(Date(100));  // the user set the clock back
    scheduler.advance(9);
    EXPECT_EQ(runs, 0);
    scheduler.advance(1);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(scheduler.now(), Date(110));
}

TEST(ManualSchedulerTest, TasksPostedFromOtherThreadsRunOnTheTestThread) {
    ManualScheduler scheduler;
    std::thread::id ranOn;
    Base::TaskHandle handle;
    std::thread worker([&] { handle = scheduler.post([&] { ranOn = std::this_thread::get_id(); }); });
    worker.join();
    ASSERT_TRUE(scheduler.waitForDue(5));
    scheduler.runPending();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(RunLoopSchedulerTest, RunsPostedWorkAndTimers) {
    Base::RunLoopScheduler loop;
    int done = 0;
    auto timer = loop.schedule(0.01, [&] { ++done; });
    Base::TaskHandle posted;
    std::thread worker([&] { posted = loop.post([&] { ++done; }); });
    worker.join();
    EXPECT_TRUE(loop.runUntil([&] { return done == 2; }, 5));
}
