#pragma once

#include <mutex>
#include <utility>

namespace Base {

// A value guarded by its own lock: every read is a copy taken under the lock,
// every write a replacement under it, so any thread may use it.
template <class T>
class Locked {
public:
    Locked() = default;
    explicit Locked(T value) : value_(std::move(value)) {}

    T get() const {
        std::lock_guard guard(mutex_);
        return value_;
    }

    void set(T value) {
        std::lock_guard guard(mutex_);
        value_ = std::move(value);
    }

private:
    mutable std::mutex mutex_;
    T value_{};
};

}  // namespace Base
