#include "IslandKit/Window/QtScheduler.h"

#include <cmath>
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
    // The queued call is what makes this safe from any thread: it lands on the
    // context's thread, where the timer is then created.
    QMetaObject::invokeMethod(
        context,
        [context, delaySeconds, task = std::move(task), cancelled = std::move(cancelled)]() mutable {
            if (cancelled->load()) return;
            if (delaySeconds <= 0) {
                task();
                return;
            }
            auto* timer = new QTimer(context);
            timer->setSingleShot(true);
            // Short delays (frames, debounces) want precision; long ones may be coalesced.
            timer->setTimerType(delaySeconds < 1 ? Qt::PreciseTimer : Qt::CoarseTimer);
            timer->setInterval(static_cast<int>(std::ceil(delaySeconds * 1000)));
            QObject::connect(timer, &QTimer::timeout, context,
                             [timer, task = std::move(task), cancelled = std::move(cancelled)] {
                                 timer->deleteLater();
                                 if (!cancelled->load()) task();
                             });
            timer->start();
        },
        Qt::QueuedConnection);
}

}  // namespace IslandKit
