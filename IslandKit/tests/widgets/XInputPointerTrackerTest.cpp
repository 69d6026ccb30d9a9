#include <gtest/gtest.h>

#include <vector>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/Window/XInputPointerTracker.h"
#include "QtTestApp.h"

using namespace IslandKit;

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
    tracker.start([&](Point p) { moves.push_back(p); }, [&](OutsideClick) { ++outside; });
    EXPECT_FALSE(tracker.hasRawEvents()) << "no X server offscreen";

    QTest::mouseMove(window.windowHandle(), QPoint(10, 20));
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back(), QtDesktop::toDesktop(window.mapToGlobal(QPoint(10, 20))));

    // Restarting replaces the callbacks; stopping ends the reports.
    std::vector<Point> second;
    tracker.start([&](Point p) { second.push_back(p); }, [](OutsideClick) {});
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
