#pragma once

#include <compare>
#include <concepts>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "Base/Json.h"
#include "Base/Result.h"

namespace Base {

// How digits are dropped when a value is rounded.
enum class RoundingMode {
    down,              // toward zero: the dropped digits simply vanish
    halfEven,          // to nearest, a tie to the even neighbour
    halfAwayFromZero,  // to nearest, a tie away from zero
};

// A base-10 number for money, prices and sizes: a signed coefficient of at most
// 38 decimal digits times a power of ten. What people type is held exactly, so
// 0.1 + 0.2 is 0.3 and 580 / 290 is 2, never 1.999...
//
// Values are kept normalised (no trailing zeros in the coefficient), so 0.5 and
// 0.50 are the same value and compare and hash alike. The exponent of the
// normalised value stays within [minExponent, maxExponent + 37]; a result
// finer than 10^minExponent is rounded to that step and a result larger than
// the largest value saturates to it, so arithmetic never fails except on
// division by zero.
class Decimal {
public:
    static constexpr int maxDigits = 38;
    static constexpr int minExponent = -128;
    static constexpr int maxExponent = 127;

    constexpr Decimal() = default;  // zero
    // Any integer, exactly; implicit so that `amount > 0` reads as written.
    template <std::integral T>
        requires(!std::same_as<T, bool>)
    Decimal(T value) {  // NOLINT(implicit)
        if constexpr (std::is_signed_v<T>) {
            setInteger(value < 0, value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value));
        } else {
            setInteger(false, static_cast<std::uint64_t>(value));
        }
    }
    // Binary floating point cannot hold most decimal fractions; build from text instead.
    Decimal(double) = delete;
    Decimal(float) = delete;

    // coefficient × 10^exponent, rounded half-to-even when out of range.
    static Decimal fromParts(std::int64_t coefficient, int exponent);

    // Plain decimal text with an optional sign and exponent: "12", "-0.50",
    // ".5", "5.", "1e-3", "2.5E+4". Exact up to 38 significant digits; longer
    // coefficients are rounded half-to-even. Absent for anything else (blanks,
    // grouping, letters) and for a value beyond the largest magnitude.
    static std::optional<Decimal> fromText(std::string_view text);

    // The JSON number's own digits; anything but a number is an error.
    static Result<Decimal> fromJson(const Json& value, std::string_view context = {});

    // Plain notation, never an exponent, no trailing zeros: "10000", "0.5", "-12.25".
    std::string text() const;
    // As text(), padded with zeros to at least `minFractionDigits` fraction digits.
    std::string text(int minFractionDigits) const;
    // The nearest double; for display scales and geometry only, never for money.
    double toDouble() const;

    bool isZero() const { return high_ == 0 && low_ == 0; }
    bool isNegative() const { return negative_; }
    // -1, 0 or 1.
    int signum() const { return isZero() ? 0 : (negative_ ? -1 : 1); }
    Decimal magnitude() const;

    // Rounded to `scale` fraction digits (a negative scale rounds to tens, hundreds...).
    Decimal rounded(int scale, RoundingMode mode) const;

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    // Long division to 38 significant digits, the last one rounded half-to-even.
    // Throws std::domain_error on a zero divisor: check before dividing.
    friend Decimal operator/(const Decimal& a, const Decimal& b);
    Decimal& operator+=(const Decimal& other) { return *this = *this + other; }
    Decimal& operator-=(const Decimal& other) { return *this = *this - other; }
    Decimal& operator*=(const Decimal& other) { return *this = *this * other; }
    Decimal& operator/=(const Decimal& other) { return *this = *this / other; }

    bool operator==(const Decimal&) const = default;
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

    // The normalised parts, for hashing and tests.
    std::uint64_t coefficientHigh() const { return high_; }
    std::uint64_t coefficientLow() const { return low_; }
    int exponent() const { return exponent_; }

private:
    friend struct DecimalAccess;
    void setInteger(bool negative, std::uint64_t magnitude);
    // Magnitude of the coefficient as two 64-bit halves; below 10^38.
    std::uint64_t high_ = 0;
    std::uint64_t low_ = 0;
    std::int32_t exponent_ = 0;
    bool negative_ = false;
};

Json toJson(const Decimal& value);
std::ostream& operator<<(std::ostream& out, const Decimal& value);

}  // namespace Base

template <>
struct std::hash<Base::Decimal> {
    size_t operator()(const Base::Decimal& value) const noexcept {
        size_t h = 1469598103934665603ULL;
        const auto mix = [&h](std::uint64_t part) { h = (h ^ part) * 1099511628211ULL; };
        mix(value.coefficientHigh());
        mix(value.coefficientLow());
        mix(static_cast<std::uint64_t>(static_cast<std::int64_t>(value.exponent())));
        mix(value.isNegative() ? 1 : 0);
        return h;
    }
};
