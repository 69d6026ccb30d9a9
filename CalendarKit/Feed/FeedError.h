#pragma once

#include <string_view>
#include <utility>
#include <variant>

namespace CalendarKit {

// Why a whole feed document was refused. It carries no message of its own;
// whoever shows it words it (its case name is its description).
enum class FeedError { notAnArray, tooLarge };

// "notAnArray" or "tooLarge".
std::string_view description(FeedError error);

// A value, or the FeedError that stands in its place.
template <class T>
class [[nodiscard]] FeedResult {
public:
    FeedResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT(implicit)
    FeedResult(FeedError error) : state_(std::in_place_index<1>, error) {}     // NOLINT(implicit)

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(state_); }
    T& value() & { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const T* operator->() const { return &value(); }

    FeedError error() const { return std::get<1>(state_); }

    bool operator==(const FeedResult&) const = default;

private:
    std::variant<T, FeedError> state_;
};

}  // namespace CalendarKit
