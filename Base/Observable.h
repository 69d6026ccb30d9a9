#pragma once

#include <cstddef>
#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace Base {

// Keeps an observer registered; dropping it unregisters, and it stays safe to
// drop after the observed object is gone.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { reset(); }

    void reset() {
        if (cancel_) std::exchange(cancel_, nullptr)();
    }

private:
    std::function<void()> cancel_;
};

// A list of observers called on the main thread when something changed.
// Observers may subscribe or unsubscribe while it notifies.
class ChangeSignal {
public:
    ChangeSignal() : observers_(std::make_shared<Observers>()) {}
    ChangeSignal(const ChangeSignal&) = delete;
    ChangeSignal& operator=(const ChangeSignal&) = delete;

    [[nodiscard]] Subscription subscribe(std::function<void()> observer) {
        const std::size_t id = observers_->nextId++;
        observers_->entries.push_back({id, std::make_shared<std::function<void()>>(std::move(observer))});
        std::weak_ptr<Observers> weak = observers_;
        return Subscription([weak, id] {
            if (auto observers = weak.lock()) {
                std::erase_if(observers->entries, [id](const Entry& e) { return e.id == id; });
            }
        });
    }

    void notify() const {
        // A copy, so observers that unsubscribe during the call are safe.
        const auto entries = observers_->entries;
        for (const auto& entry : entries) {
            const bool stillThere = std::any_of(observers_->entries.begin(), observers_->entries.end(),
                                                [&](const Entry& e) { return e.id == entry.id; });
            if (stillThere) (*entry.observer)();
        }
    }

    std::size_t observerCount() const { return observers_->entries.size(); }

private:
    struct Entry {
        std::size_t id;
        std::shared_ptr<std::function<void()>> observer;
    };
    struct Observers {
        std::vector<Entry> entries;
        std::size_t nextId = 0;
    };
    std::shared_ptr<Observers> observers_;
};

// A value whose observers hear of it only when it really changes.
template <class T>
class Observable {
public:
    Observable() = default;
    explicit Observable(T initial) : value_(std::move(initial)) {}

    const T& get() const { return value_; }
    operator const T&() const { return value_; }  // NOLINT(implicit)

    // Stores the value and notifies, unless it equals the current one.
    bool set(T value) {
        if (value == value_) return false;
        value_ = std::move(value);
        signal_.notify();
        return true;
    }

    [[nodiscard]] Subscription observe(std::function<void()> observer) {
        return signal_.subscribe(std::move(observer));
    }

private:
    T value_{};
    ChangeSignal signal_;
};

}  // namespace Base
