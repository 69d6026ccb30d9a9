#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include <QElapsedTimer>
#include <QThread>

#include "IslandKit/Window/QtScheduler.h"
#include "QtTestApp.h"

using IslandKit::QtScheduler;
using IslandKitTest::processUntil;

struct QtSchedulerTest : testing::Test {
    void SetUp() override { IslandKitTest::app(); }
};

TEST_F(QtSchedulerTest, RunsTasksInDelayOrderAfterTheirDelays) {
    QtScheduler scheduler;
    std::vector<int> order;
    QElapsedTimer clock;
    clock.start();
    qint64 lateRanAt = 0;
    auto late = scheduler.schedule(0.08, [&] {
        order.push_back(2);
        lateRanAt = clock.elapsed();
    });
    auto early = scheduler.schedule(0.02, [&] { order.push_back(1); });
    auto now = scheduler.post([&] { order.push_back(0); });
    EXPECT_TRUE(order.empty()) << "nothing runs inside the call";
    ASSERT_TRUE(processUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_GE(lateRanAt, 79);
}

TEST_F(QtSchedulerTest, DroppedOrCancelledTasksNeverRun) {
    QtScheduler scheduler;
    bool cancelledRan = false;
    bool droppedRan = false;
    bool markerRan = false;
    auto cancelled = scheduler.schedule(0.01, [&] { cancelledRan = true; });
    cancelled.cancel();
    scheduler.schedule(0.01, [&] { droppedRan = true; });  // handle dropped at once
    auto marker = scheduler.schedule(0.03, [&] { markerRan = true; });
    ASSERT_TRUE(processUntil([&] { return markerRan; }));
    EXPECT_FALSE(cancelledRan);
    EXPECT_FALSE(droppedRan);
}

TEST_F(QtSchedulerTest, RepeatsUntilCancelled) {
    QtScheduler scheduler;
    int count = 0;
    Base::TaskHandle repeating;
    repeating = scheduler.repeat(0.005, [&] {
        if (++count == 3) repeating.cancel();
    });
    ASSERT_TRUE(processUntil([&] { return count >= 3; }));
    bool marker = false;
    auto wait = scheduler.schedule(0.05, [&] { marker = true; });
    ASSERT_TRUE(processUntil([&] { return marker; }));
    EXPECT_EQ(count, 3);
}

TEST_F(QtSchedulerTest, PostsFromOtherThreadsRunOnTheMainThread) {
    QtScheduler scheduler;
    std::atomic<int> ran{0};
    std::atomic<bool> allOnMain{true};
    QThread* mainThread = QThread::currentThread();
    std::vector<Base::TaskHandle> handles(40);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) {
                handles[static_cast<std::size_t>(t * 10 + i)] = scheduler.post([&] {
                    if (QThread::currentThread() != mainThread) allOnMain = false;
                    ++ran;
                });
            }
        });
    }
    for (auto& thread : threads) thread.join();
    ASSERT_TRUE(processUntil([&] { return ran.load() == 40; }));
    EXPECT_TRUE(allOnMain.load());
}

TEST_F(QtSchedulerTest, DroppingTheSchedulerDropsPendingTasks) {
    bool ran = false;
    {
        QtScheduler scheduler;
        scheduler.schedule(0.01, [&] { ran = true; }).detach();
    }
    QtScheduler other;
    bool marker = false;
    auto wait = other.schedule(0.05, [&] { marker = true; });
    ASSERT_TRUE(processUntil([&] { return marker; }));
    EXPECT_FALSE(ran);
}
