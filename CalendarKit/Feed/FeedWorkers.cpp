#include "CalendarKit/Feed/FeedWorkers.h"

#include <system_error>
#include <utility>

namespace CalendarKit {

FeedWorkers::FeedWorkers(Base::Scheduler& scheduler, Exchange exchange)
    : scheduler_(scheduler), exchange_(std::move(exchange)) {}

FeedWorkers::~FeedWorkers() {
    std::list<Worker> workers;
    {
        std::lock_guard lock(workersMutex_);
        workers.swap(workers_);
    }
    for (auto& worker : workers) worker.cancelled->store(true);
    for (auto& worker : workers) {
        if (worker.thread.joinable()) worker.thread.join();
    }
}

void FeedWorkers::joinFinishedWorkers() {
    std::lock_guard lock(workersMutex_);
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (it->finished->load()) {
            if (it->thread.joinable()) it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

Base::TaskHandle FeedWorkers::start(FeedWeek week, FeedFetching::Completion completion) {
    joinFinishedWorkers();
    Worker worker;
    worker.cancelled = std::make_shared<std::atomic<bool>>(false);
    auto cancelled = worker.cancelled;
    auto finished = worker.finished;
    // The completion runs on the main thread, and only while its owner still holds the handle.
    auto deliver = [this, cancelled](FeedFetching::Completion& done, Base::Result<FeedResponse> result) {
        scheduler_
            .post([cancelled, done = std::move(done), result = std::move(result)]() mutable {
                if (!cancelled->load()) done(std::move(result));
            })
            .detach();
    };
    auto shared = std::make_shared<FeedFetching::Completion>(std::move(completion));
    try {
        worker.thread = std::thread([this, week, cancelled, finished, shared, deliver]() {
            deliver(*shared, exchange_(week, *cancelled));
            finished->store(true);
        });
    } catch (const std::system_error& error) {
        deliver(*shared, Base::makeError(std::string("cannot start the download: ") + error.what()));
        return Base::TaskHandle(cancelled);
    }
    {
        std::lock_guard lock(workersMutex_);
        workers_.push_back(std::move(worker));
    }
    return Base::TaskHandle(cancelled);
}

}  // namespace CalendarKit
