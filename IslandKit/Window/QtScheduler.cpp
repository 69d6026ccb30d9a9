#include "IslandKit/Window/QtScheduler.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimerEvent>

namespace IslandKit {

// Holds the waiting tasks under plain timer ids: a frame that waits for its
// timer costs neither an object of its own nor a posted event to clear it up.
class QtScheduler::Timers final : public QObject {
public:
    struct Waiting {
        double rest = 0;  // seconds still to wait after this timer
        Task task;
        std::shared_ptr<std::atomic<bool>> cancelled;
    };

    void start(int ms, Waiting waiting) {
        // Short delays (frames, debounces) want precision; long ones may be coalesced.
        const int id = startTimer(ms, ms < 1000 ? Qt::PreciseTimer : Qt::CoarseTimer);
        if (id != 0) waiting_.emplace(id, std::move(waiting));
    }

    std::function<void(Waiting)> onDue;

protected:
    void timerEvent(QTimerEvent* event) override {
        killTimer(event->timerId());
        const auto found = waiting_.find(event->timerId());
        if (found == waiting_.end()) return;
        Waiting due = std::move(found->second);
        waiting_.erase(found);
        onDue(std::move(due));
    }

private:
    std::unordered_map<int, Waiting> waiting_;
};

QtScheduler::QtScheduler() : timers_(std::make_unique<Timers>()) {
    if (auto* app = QCoreApplication::instance()) timers_->moveToThread(app->thread());
    timers_->onDue = [this](Timers::Waiting due) {
        if (due.cancelled->load()) return;
        if (due.rest > 0) {
            enqueue(due.rest, std::move(due.task), std::move(due.cancelled));
        } else {
            due.task();
        }
    };
}

QtScheduler::~QtScheduler() = default;

void QtScheduler::enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) {
    Timers* timers = timers_.get();
    // A Qt timer counts at most INT_MAX milliseconds (24.8 days); a longer
    // delay waits that long and queues the rest. A delay that is not a number
    // counts as none.
    const double ms = std::isnan(delaySeconds) ? 0 : std::ceil(delaySeconds * 1000);
    const double waitMs = std::min(ms, static_cast<double>(std::numeric_limits<int>::max()));
    Timers::Waiting waiting{(ms - waitMs) / 1000, std::move(task), std::move(cancelled)};
    // A timer belongs to its thread: on the timers' own thread it starts at
    // once, which is how every frame comes here.
    if (waitMs > 0 && QThread::currentThread() == timers->thread()) {
        timers->start(static_cast<int>(waitMs), std::move(waiting));
        return;
    }
    // From elsewhere, or to run as soon as the loop comes round, the queued
    // call lands on the timers' thread. Everything queued dies with the
    // timers, so `this` is alive whenever it runs.
    QMetaObject::invokeMethod(
        timers,
        [this, timers, waitMs, waiting = std::move(waiting)]() mutable {
            if (waiting.cancelled->load()) return;
            if (waitMs <= 0) {
                waiting.task();
                return;
            }
            timers->start(static_cast<int>(waitMs), std::move(waiting));
        },
        Qt::QueuedConnection);
}

}  // namespace IslandKit
