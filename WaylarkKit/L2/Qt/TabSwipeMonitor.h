#pragma once

#include <functional>

#include <QObject>

#include "WaylarkKit/L2/TabSwipe.h"

class QWheelEvent;

namespace WaylarkKit {

// Watches every wheel event of the application while started and turns
// them into tab steps: asks `isEnabled` at each event (a gesture under way
// when it says no is forgotten) and reports a recognised swipe to `onSwipe`.
// It never takes an event: the panel's own scrolling views get every one.
class TabSwipeMonitor final : public QObject {
public:
    // A wheel notch (15 degrees) counts as 10 points of travel, so a run of
    // four notches swipes; a trackpad's pixel deltas count as they come.
    static constexpr double pointsPerDegree = 10.0 / 15.0;

    TabSwipeMonitor(std::function<bool()> isEnabled, std::function<void(TabSwipeDirection)> onSwipe);
    ~TabSwipeMonitor() override;

    void start();
    // Stops watching and forgets any gesture under way.
    void stop();
    bool isStarted() const { return started_; }

    static ScrollSample sample(const QWheelEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handle(const QWheelEvent& event);

    TabSwipeRecognizer recognizer_;
    std::function<bool()> isEnabled_;
    std::function<void(TabSwipeDirection)> onSwipe_;
    bool started_ = false;
};

}  // namespace WaylarkKit
