#include <gtest/gtest.h>

#include <cstdlib>

#include <QDBusConnection>
#include <QDBusMessage>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/App/Qt/SystemWakeMonitor.h"
#include "WaylarkKit/tests/support/PrivateBus.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using WaylarkKit::SuspendClockWatcher;
using WaylarkKit::SystemWakeMonitor;

TEST(SystemWakeMonitorTest, TheSuspendClockTellsAWakeWithoutLogindAndOnceBesideIt) {
    // A system bus with no logind on it, as in a container or a minimal
    // desktop. Each test runs in its own process, so the system bus is first
    // asked for here.
    const WaylarkKitTest::PrivateBus bus;
    ASSERT_FALSE(bus.address.empty());
    ::setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address.c_str(), 1);
    WaylarkKitTest::app();
    ASSERT_TRUE(QDBusConnection::systemBus().isConnected());
    Base::ManualScheduler scheduler;
    double suspended = 100;
    int wakes = 0;
    SystemWakeMonitor monitor(scheduler, [&] { return suspended; });
    // The machine sleeps and wakes; the suspend clock sees it at its next look.
    const auto sleepAndLook = [&](double seconds) {
        suspended += seconds;
        scheduler.advance(SuspendClockWatcher::pollInterval);
    };
    monitor.start([&] { ++wakes; });
    sleepAndLook(0);
    EXPECT_EQ(wakes, 0);
    sleepAndLook(600);
    EXPECT_EQ(wakes, 1);

    // Another connection plays logind and tells the next wake first; the
    // match takes a moment to reach the bus, and repeats are that same wake.
    scheduler.advance(SystemWakeMonitor::foldSeconds);
    QDBusConnection logind = QDBusConnection::connectToBus(QString::fromStdString(bus.address), QStringLiteral("logind"));
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    EXPECT_TRUE(WaylarkKitTest::processUntil(
        [&] {
            QDBusMessage woke = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                           QStringLiteral("org.freedesktop.login1.Manager"),
                                                           QStringLiteral("PrepareForSleep"));
            logind.send(woke << false);
            return wakes == 2;
        },
        5000));
    sleepAndLook(600);
    EXPECT_EQ(wakes, 2);

    monitor.stop();
    scheduler.advance(SystemWakeMonitor::foldSeconds);
    sleepAndLook(600);
    EXPECT_EQ(wakes, 2);
    QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
}
