#include "IslandKit/Window/QtScheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>

namespace IslandKit {

QtScheduler::QtScheduler() : context_(std::make_unique<QObject>()) {
    if (auto* app = QCoreApplication::instance()) context_->moveToThread(app->thread());
}

QtScheduler::~QtScheduler() = default;

void QtScheduler::enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) {
    QObject* context = context_.get();
    // A Qt timer counts at most INT_MAX milliseconds (24.8 days); a longer
    // delay waits that long and queues the rest. A delay that is not a number
    // counts as none.
    const double ms = std::isnan(delaySeconds) ? 0 : std::ceil(delaySeconds * 1000);
    const double waitMs = std::min(ms, static_cast<double>(std::numeric_limits<int>::max()));
    const double rest = (ms - waitMs) / 1000;
    // The queued call is what makes this safe from any thread: it lands on the
    // context's thread, where the timer is then created. Everything queued
    // dies with the context, so `this` is alive whenever it runs.
    QMetaObject::invokeMethod(
        context,
        [this, context, waitMs, rest, task = std::move(task), cancelled = std::move(cancelled)]() mutable {
            if (cancelled->load()) return;
            if (waitMs <= 0) {
                task();
                return;
            }
            auto* timer = new QTimer(context);
            timer->setSingleShot(true);
            // Short delays (frames, debounces) want precision; long ones may be coalesced.
            timer->setTimerType(waitMs < 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
            timer->setInterval(static_cast<int>(waitMs));
            QObject::connect(timer, &QTimer::timeout, context,
                             [this, timer, rest, task = std::move(task), cancelled = std::move(cancelled)] {
                                 timer->deleteLater();
                                 if (cancelled->load()) return;
                                 if (rest > 0) {
                                     enqueue(rest, task, cancelled);
                                 } else {
                                     task();
                                 }
                             });
            timer->start();
        },
        Qt::QueuedConnection);
}

}  // namespace IslandKit
