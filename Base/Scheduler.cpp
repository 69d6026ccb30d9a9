#include "Base/Scheduler.h"

#include <chrono>

namespace Base {

TaskHandle Scheduler::schedule(double delaySeconds, Task task) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    enqueue(delaySeconds, std::move(task), cancelled);
    return TaskHandle(std::move(cancelled));
}

TaskHandle Scheduler::repeat(double intervalSeconds, Task task) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    // Each firing queues the next with the same flag, so one cancel stops the chain.
    struct Repeater {
        Scheduler* scheduler;
        double interval;
        std::shared_ptr<Task> task;
        std::shared_ptr<std::atomic<bool>> cancelled;
        void operator()() const {
            scheduler->enqueue(interval, *this, cancelled);
            (*task)();
        }
    };
    Repeater repeater{this, intervalSeconds, std::make_shared<Task>(std::move(task)), cancelled};
    enqueue(intervalSeconds, repeater, cancelled);
    return TaskHandle(std::move(cancelled));
}

double Scheduler::steadyNow() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace Base
