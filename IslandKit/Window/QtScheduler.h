#pragma once

#include <memory>

#include "Base/Scheduler.h"

namespace IslandKit {

// The application's scheduler on the Qt event loop. Tasks may be queued from
// any thread; they run on the thread of the application object (the main
// thread), after their delay on Qt's monotonic timers.
class QtScheduler final : public Base::Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;
    QtScheduler(const QtScheduler&) = delete;
    QtScheduler& operator=(const QtScheduler&) = delete;

    Base::Date now() const override { return Base::Date::now(); }

protected:
    void enqueue(double delaySeconds, Task task, std::shared_ptr<std::atomic<bool>> cancelled) override;

private:
    class Timers;
    // Lives on the main thread; owns the pending timers, so dropping the
    // scheduler drops every task that has not run.
    std::unique_ptr<Timers> timers_;
};

}  // namespace IslandKit
