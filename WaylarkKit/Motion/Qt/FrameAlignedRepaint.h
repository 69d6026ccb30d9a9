#pragma once

#include <QRegion>
#include <QWidget>

#include "Base/Scheduler.h"
#include "WaylarkKit/Motion/FrameClock.h"

namespace WaylarkKit {

// Repaints parts of a widget with the next frame of whatever animates, so a
// tick that changes a countdown shares the mascot's and the pulses' frame
// instead of costing one of its own; at once when nothing animates.
class FrameAlignedRepaint {
public:
    FrameAlignedRepaint(QWidget& widget, Base::Scheduler& scheduler) : widget_(widget), clock_(scheduler) {}

    void request(const QRect& area);

private:
    QWidget& widget_;
    FrameClock clock_;
    QRegion pending_;
    Base::TaskHandle due_;
};

}  // namespace WaylarkKit
