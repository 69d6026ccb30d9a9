#pragma once

#include <compare>
#include <functional>

namespace Base {

// An instant: seconds since 1970-01-01 00:00:00 UTC. Durations are plain doubles.
struct Date {
    double secondsSince1970 = 0;

    constexpr Date() = default;
    constexpr explicit Date(double seconds) : secondsSince1970(seconds) {}

    static Date now();

    constexpr Date operator+(double seconds) const { return Date(secondsSince1970 + seconds); }
    constexpr Date operator-(double seconds) const { return Date(secondsSince1970 - seconds); }
    constexpr double operator-(Date other) const { return secondsSince1970 - other.secondsSince1970; }
    constexpr Date& operator+=(double seconds) {
        secondsSince1970 += seconds;
        return *this;
    }

    constexpr bool operator==(const Date&) const = default;
    constexpr auto operator<=>(const Date&) const = default;
};

}  // namespace Base

template <>
struct std::hash<Base::Date> {
    size_t operator()(Base::Date d) const noexcept { return std::hash<double>{}(d.secondsSince1970); }
};
