#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "Base/Scheduler.h"
#include "CalendarKit/Feed/FeedFetching.h"

namespace CalendarKit {

// Runs blocking fetches, each on its own worker thread, and hands every result
// back through the scheduler as `FeedFetching::fetch` promises.
class FeedWorkers {
public:
    // One blocking exchange; it gives up early once `cancelled` is set.
    using Exchange = std::function<Base::Result<FeedResponse>(FeedWeek, const std::atomic<bool>& cancelled)>;

    FeedWorkers(Base::Scheduler& scheduler, Exchange exchange);
    // Cancels every fetch still running and waits for its thread.
    ~FeedWorkers();
    FeedWorkers(const FeedWorkers&) = delete;
    FeedWorkers& operator=(const FeedWorkers&) = delete;

    [[nodiscard]] Base::TaskHandle start(FeedWeek week, FeedFetching::Completion completion);

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> cancelled;
        std::shared_ptr<std::atomic<bool>> finished = std::make_shared<std::atomic<bool>>(false);
    };
    void joinFinishedWorkers();

    Base::Scheduler& scheduler_;
    Exchange exchange_;
    std::mutex workersMutex_;
    std::list<Worker> workers_;
};

}  // namespace CalendarKit
