#include <gtest/gtest.h>

#include <vector>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "IslandKit/Window/DesktopSpace.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/XInputPointerTracker.h"
#include "QtTestApp.h"

using namespace IslandKit;

TEST(DesktopSpaceTest, FlipsAroundThePrimaryDisplaysBottom) {
    const DesktopSpace space{982};
    EXPECT_EQ(space.toDesktop(Point{10, 0}), (Point{10, 982}));
    EXPECT_EQ(space.toDesktop(Rect{256, 0, 1000, 420}), (Rect{256, 562, 1000, 420}));
    EXPECT_EQ(space.toWindowSystem(space.toDesktop(Rect{1, 2, 3, 4})), (Rect{1, 2, 3, 4}));
    // A display above the primary one has negative window-system y.
    EXPECT_EQ(space.toDesktop(Rect{0, -900, 1440, 900}), (Rect{0, 982, 1440, 900}));
}

TEST(XInputPointerTrackerTest, MovesOverOwnWindowsComeThroughTheEventFilter) {
    IslandKitTest::app();
    QWidget window;
    window.setMouseTracking(true);
    window.setGeometry(100, 50, 200, 100);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    XInputPointerTracker tracker;
    std::vector<Point> moves;
    int outside = 0;
    tracker.start([&](Point p) { moves.push_back(p); }, [&] { ++outside; });
    EXPECT_FALSE(tracker.hasRawEvents()) << "no X server offscreen";

    QTest::mouseMove(window.windowHandle(), QPoint(10, 20));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), QtDesktop::toDesktop(window.mapToGlobal(QPoint(10, 20))));

    // Restarting replaces the callbacks; stopping ends the reports.
    std::vector<Point> second;
    tracker.start([&](Point p) { second.push_back(p); }, [] {});
    const std::size_t before = moves.size();
    QTest::mouseMove(window.windowHandle(), QPoint(30, 40));
    EXPECT_EQ(moves.size(), before);
    EXPECT_FALSE(second.empty());
    tracker.stop();
    tracker.stop();
    const std::size_t afterStop = second.size();
    QTest::mouseMove(window.windowHandle(), QPoint(50, 60));
    EXPECT_EQ(second.size(), afterStop);
    EXPECT_EQ(outside, 0);
}
