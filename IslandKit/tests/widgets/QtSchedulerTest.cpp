#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include "IslandKit/Window/QtScheduler.h"
#include "QtTestApp.h"

using IslandKit::QtScheduler;
using IslandKitTest::processUntil;

struct QtSchedulerTest : testing::Test {
    void SetUp() override { IslandKitTest::app(); }
};

// In delay order, after their delays; never when cancelled, dropped or left
// behind by their scheduler.
TEST_F(QtSchedulerTest, RunsTasksInDelayOrderUnlessCancelled) {
    bool ran = false;
    {
        QtScheduler gone;
        gone.schedule(0.01, [&] { ran = true; }).detach();
    }
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
    scheduler.schedule(0.01, [&] { ran = true; }).cancel();
    scheduler.schedule(0.01, [&] { ran = true; });  // handle dropped at once
    int repeats = 0;
    Base::TaskHandle repeating;
    repeating = scheduler.repeat(0.005, [&] {
        if (++repeats == 3) repeating.cancel();
    });
    ASSERT_TRUE(processUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_GE(lateRanAt, 79);
    EXPECT_FALSE(ran);
    EXPECT_EQ(repeats, 3);
}

// Qt timers count at most INT_MAX milliseconds; a longer wait must neither
// overflow into a timer that never fires nor warn.
TEST_F(QtSchedulerTest, DelaysBeyondATimersRangeOrNotANumber) {
    static int warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString&) {
        if (type != QtDebugMsg) ++warnings;
    });
    QtScheduler scheduler;
    bool farRan = false;
    bool nanRan = false;
    auto far = scheduler.schedule(30 * 86400.0, [&] { farRan = true; });
    auto farther = scheduler.schedule(1e300, [&] { farRan = true; });
    auto nan = scheduler.schedule(std::nan(""), [&] { nanRan = true; });
    ASSERT_TRUE(processUntil([&] { return nanRan; }));
    QCoreApplication::processEvents();
    qInstallMessageHandler(previous);
    EXPECT_FALSE(farRan);
    EXPECT_TRUE(far.isScheduled());
    EXPECT_EQ(warnings, 0);
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

// A frame waits on the main thread several times a second all day: its timer
// must neither post an event to get going nor one to be cleared away.
TEST_F(QtSchedulerTest, TimedTasksOnTheMainThreadPostNoEvents) {
    struct PostedEvents : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::MetaCall || event->type() == QEvent::DeferredDelete) ++count;
            return false;
        }
    } posted;
    QtScheduler scheduler;
    int ran = 0;
    Base::TaskHandle frames = scheduler.repeat(0.005, [&] { ++ran; });
    QCoreApplication::instance()->installEventFilter(&posted);
    ASSERT_TRUE(processUntil([&] { return ran >= 5; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::instance()->removeEventFilter(&posted);
    EXPECT_EQ(posted.count, 0);
}
