#pragma once

#include <string>
#include <utility>
#include <variant>

namespace Base {

// What went wrong, in words a developer can act on. Decoding errors name the key.
struct Error {
    std::string message;
    bool operator==(const Error&) const = default;
};

// A value or the reason there is none: the one way fallible operations report.
template <class T>
class [[nodiscard]] Result {
public:
    using Value = T;

    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT(implicit)
    Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT(implicit)

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const Error& error() const { return std::get<1>(state_); }

    template <class U>
    T valueOr(U&& fallback) const& {
        return ok() ? value() : static_cast<T>(std::forward<U>(fallback));
    }

private:
    std::variant<T, Error> state_;
};

struct Ok {
    bool operator==(const Ok&) const = default;
};
using Status = Result<Ok>;

inline Error makeError(std::string message) { return Error{std::move(message)}; }

}  // namespace Base

// Propagates a failed Result out of the calling function, else yields its value.
#define BASE_TRY(var, expr)                              \
    auto var##_result_ = (expr);                         \
    if (!var##_result_.ok()) return var##_result_.error(); \
    auto var = std::move(var##_result_).value()
