#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include "WaylarkKit/L2/Qt/TabSwipeMonitor.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

namespace {

// A window that counts the wheel events it gets.
class Scrollable final : public QWidget {
public:
    int wheels = 0;

protected:
    void wheelEvent(QWheelEvent* event) override {
        ++wheels;
        event->accept();
    }
};

// Hands a wheel event of these deltas, phase and time stamp to `use`.
template <class Use>
auto withWheel(QPoint pixels, QPoint angle, Qt::ScrollPhase phase, quint64 ms, Use use) {
    QWheelEvent event(QPointF(10, 10), QPointF(10, 10), pixels, angle, Qt::NoButton, Qt::NoModifier, phase, false);
    event.setTimestamp(ms);
    return use(event);
}

ScrollSample wheel(QPoint pixels, QPoint angle, Qt::ScrollPhase phase, quint64 ms) {
    return withWheel(pixels, angle, phase, ms, [](QWheelEvent& e) { return TabSwipeMonitor::sample(e); });
}

struct TabSwipeMonitorTest : ::testing::Test {
    TabSwipeMonitorTest() {
        window.resize(100, 100);
        window.show();
    }
    void send(QPoint pixels, QPoint angle, Qt::ScrollPhase phase, quint64 ms) {
        withWheel(pixels, angle, phase, ms, [this](QWheelEvent& e) { return QApplication::sendEvent(window.windowHandle(), &e); });
    }

    bool appReady = (WaylarkKitTest::app(), true);
    Scrollable window;
    bool enabled = true;
    std::vector<TabSwipeDirection> swipes;
    TabSwipeMonitor monitor{[this] { return enabled; }, [this](TabSwipeDirection d) { swipes.push_back(d); }};
};

TEST_F(TabSwipeMonitorTest, SamplesFromQtEvents) {
    const ScrollSample trackpad = (wheel({-12, 3}, {-96, 24}, Qt::ScrollUpdate, 2500));
    EXPECT_EQ(trackpad.deltaX, -12);  // pixels win over angles
    EXPECT_EQ(trackpad.deltaY, 3);
    EXPECT_EQ(trackpad.phase, ScrollSample::Phase::changed);
    EXPECT_DOUBLE_EQ(trackpad.time, 2.5);
    const ScrollSample notch = (wheel({}, {-120, 0}, Qt::NoScrollPhase, 0));
    EXPECT_DOUBLE_EQ(notch.deltaX, -10);  // 15 degrees
    EXPECT_EQ(notch.phase, ScrollSample::Phase::discrete);
    EXPECT_EQ((wheel({}, {}, Qt::ScrollBegin, 0)).phase, ScrollSample::Phase::began);
    EXPECT_EQ((wheel({}, {}, Qt::ScrollEnd, 0)).phase, ScrollSample::Phase::ended);
    EXPECT_EQ((wheel({}, {}, Qt::ScrollMomentum, 0)).phase, ScrollSample::Phase::momentum);
}

TEST_F(TabSwipeMonitorTest, FourNotchesSwipeOnceAndEveryEventGoesOn) {
    send({}, {-120, 0}, Qt::NoScrollPhase, 0);  // not started: nothing counted
    monitor.start();
    monitor.start();
    for (int i = 0; i < 6; ++i) send({}, {-120, 0}, Qt::NoScrollPhase, 1000 + 100 * i);
    EXPECT_EQ(swipes, std::vector<TabSwipeDirection>{TabSwipeDirection::next});
    EXPECT_EQ(window.wheels, 7);
    monitor.stop();
    send({}, {120, 0}, Qt::NoScrollPhase, 5000);
    EXPECT_EQ(swipes.size(), 1u);
}

TEST_F(TabSwipeMonitorTest, AGestureUnderWayIsForgottenWhileDisabled) {
    monitor.start();
    send({30, 0}, {}, Qt::ScrollBegin, 0);
    enabled = false;
    send({5, 0}, {}, Qt::ScrollUpdate, 10);
    enabled = true;
    send({20, 0}, {}, Qt::ScrollUpdate, 20);  // 20 from zero, not 55
    EXPECT_TRUE(swipes.empty());
    send({20, 0}, {}, Qt::ScrollUpdate, 30);
    EXPECT_EQ(swipes, std::vector<TabSwipeDirection>{TabSwipeDirection::previous});
}

}  // namespace
