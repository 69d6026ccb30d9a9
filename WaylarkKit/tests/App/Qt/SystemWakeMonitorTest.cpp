#include <gtest/gtest.h>

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/App/Qt/SystemWakeMonitor.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using WaylarkKit::SuspendClockWatcher;
using WaylarkKit::SystemWakeMonitor;

namespace {

// A message bus of the test's own in place of the system bus, with no logind
// on it, as in a container or a minimal desktop. Each test runs in its own
// process, so the system bus is first asked for here.
struct BusWithoutLogind {
    pid_t pid = 0;
    BusWithoutLogind() {
        FILE* out = ::popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        char address[512] = {}, pidText[32] = {};
        if (out && std::fgets(address, sizeof address, out) && std::fgets(pidText, sizeof pidText, out)) {
            std::string text(address);
            text.erase(text.find_last_not_of('\n') + 1);
            ::setenv("DBUS_SYSTEM_BUS_ADDRESS", text.c_str(), 1);
            pid = std::atoi(pidText);
        }
        if (out) ::pclose(out);
    }
    ~BusWithoutLogind() {
        if (pid > 0) ::kill(pid, SIGTERM);
    }
};

struct Wakes {
    BusWithoutLogind bus;
    Base::ManualScheduler scheduler;
    double suspended = 100;
    int count = 0;
    SystemWakeMonitor monitor{scheduler, [this] { return suspended; }};

    Wakes() { WaylarkKitTest::app(); }
    // The machine sleeps and wakes; the suspend clock sees it at its next look.
    void sleepAndLook(double seconds) {
        suspended += seconds;
        scheduler.advance(SuspendClockWatcher::pollInterval);
    }
};

}  // namespace

TEST(SystemWakeMonitorTest, ABusWithoutLogindStillHearsAWakeFromTheSuspendClock) {
    Wakes wakes;
    ASSERT_GT(wakes.bus.pid, 0);
    ASSERT_TRUE(QDBusConnection::systemBus().isConnected());
    wakes.monitor.start([&] { ++wakes.count; });
    wakes.sleepAndLook(0);
    EXPECT_EQ(wakes.count, 0);
    wakes.sleepAndLook(600);
    EXPECT_EQ(wakes.count, 1);
    wakes.monitor.stop();
    wakes.sleepAndLook(600);
    EXPECT_EQ(wakes.count, 1);
}

TEST(SystemWakeMonitorTest, LogindAndTheSuspendClockTellOneWakeOnce) {
    Wakes wakes;
    ASSERT_GT(wakes.bus.pid, 0);
    // Another connection plays logind.
    QDBusConnection logind = QDBusConnection::connectToBus(QString::fromLocal8Bit(std::getenv("DBUS_SYSTEM_BUS_ADDRESS")),
                                                          QStringLiteral("logind"));
    ASSERT_TRUE(logind.registerService(QStringLiteral("org.freedesktop.login1")));
    wakes.monitor.start([&] { ++wakes.count; });
    // The match takes a moment to reach the bus; repeats within the moment are the same wake.
    EXPECT_TRUE(WaylarkKitTest::processUntil(
        [&] {
            QDBusMessage woke = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                           QStringLiteral("org.freedesktop.login1.Manager"),
                                                           QStringLiteral("PrepareForSleep"));
            woke << false;
            logind.send(woke);
            return wakes.count > 0;
        },
        5000));
    wakes.sleepAndLook(600);
    EXPECT_EQ(wakes.count, 1);

    wakes.scheduler.advance(SystemWakeMonitor::foldSeconds);
    wakes.sleepAndLook(600);
    EXPECT_EQ(wakes.count, 2);
    wakes.monitor.stop();
    QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
}
