#include "WaylarkKit/L2/Qt/TabSwipeMonitor.h"

#include <QCoreApplication>
#include <QWheelEvent>

namespace WaylarkKit {

TabSwipeMonitor::TabSwipeMonitor(std::function<bool()> isEnabled, std::function<void(TabSwipeDirection)> onSwipe)
    : isEnabled_(std::move(isEnabled)), onSwipe_(std::move(onSwipe)) {}

TabSwipeMonitor::~TabSwipeMonitor() { stop(); }

void TabSwipeMonitor::start() {
    if (started_ || !QCoreApplication::instance()) return;
    QCoreApplication::instance()->installEventFilter(this);
    started_ = true;
}

void TabSwipeMonitor::stop() {
    if (started_ && QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
    started_ = false;
    recognizer_ = TabSwipeRecognizer{};
}

ScrollSample TabSwipeMonitor::sample(const QWheelEvent& event) {
    ScrollSample s;
    // A trackpad gives pixels; a wheel gives eighths of a degree.
    const QPointF delta = !event.pixelDelta().isNull() ? QPointF(event.pixelDelta())
                                                       : QPointF(event.angleDelta()) / 8.0 * pointsPerDegree;
    s.deltaX = delta.x();
    s.deltaY = delta.y();
    switch (event.phase()) {
        case Qt::ScrollBegin: s.phase = ScrollSample::Phase::began; break;
        case Qt::ScrollUpdate: s.phase = ScrollSample::Phase::changed; break;
        case Qt::ScrollEnd: s.phase = ScrollSample::Phase::ended; break;
        case Qt::ScrollMomentum: s.phase = ScrollSample::Phase::momentum; break;
        case Qt::NoScrollPhase: s.phase = ScrollSample::Phase::discrete; break;
    }
    s.time = static_cast<double>(event.timestamp()) / 1000.0;
    return s;
}

bool TabSwipeMonitor::eventFilter(QObject* watched, QEvent* event) {
    // A wheel event passes the filter once for its window and again for each
    // widget it travels up through; it is counted once, at its window.
    if (event->type() == QEvent::Wheel && watched->isWindowType()) handle(*static_cast<QWheelEvent*>(event));
    return false;
}

void TabSwipeMonitor::handle(const QWheelEvent& event) {
    if (!isEnabled_ || !isEnabled_()) {
        recognizer_ = TabSwipeRecognizer{};
        return;
    }
    if (const auto direction = recognizer_.handle(sample(event))) {
        if (onSwipe_) onSwipe_(*direction);
    }
}

}  // namespace WaylarkKit
