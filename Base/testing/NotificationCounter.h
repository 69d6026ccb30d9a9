#pragma once

// Counts how often an observable notified, so a test can say "no change, no
// notification" as plainly as "one change, one notification".
//
//   NotificationCounter events([&](auto observer) { return service.observeEvents(observer); });
//   ...change...
//   EXPECT_EQ(events.take(), 1u);

#include <cstddef>
#include <functional>
#include <memory>

#include "Base/Observable.h"

namespace Base::Testing {

class NotificationCounter {
public:
    using Subscribe = std::function<Subscription(std::function<void()>)>;

    explicit NotificationCounter(const Subscribe& subscribe)
        : count_(std::make_shared<std::size_t>(0)),
          subscription_(subscribe([count = count_] { ++*count; })) {}

    std::size_t count() const { return *count_; }
    // The notifications since the last call, so a test can check step by step.
    std::size_t take() {
        const std::size_t seen = *count_;
        *count_ = 0;
        return seen;
    }

private:
    std::shared_ptr<std::size_t> count_;
    Subscription subscription_;
};

}  // namespace Base::Testing
