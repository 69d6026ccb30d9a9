#include "Base/Decimal.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <vector>

// GCC 12 at -O3 sees through cpp_int's small-buffer union and reports its
// inactive member as uninitialised; the warning is about Boost, not this file.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <boost/multiprecision/cpp_int.hpp>
#pragma GCC diagnostic pop

namespace Base {

using Wide = boost::multiprecision::cpp_int;

// Bridges the packed fields and the wide integers used for every operation.
struct DecimalAccess {
    // An unnormalised intermediate: sign, magnitude of any width, exponent.
    struct Parts {
        bool negative = false;
        Wide magnitude;
        std::int64_t exponent = 0;
    };

    static Parts parts(const Decimal& d) {
        Wide magnitude = d.high_;
        magnitude <<= 64;
        magnitude |= d.low_;
        return Parts{d.negative_, std::move(magnitude), d.exponent_};
    }

    static Decimal pack(bool negative, const Wide& magnitude, std::int64_t exponent) {
        Decimal d;
        if (magnitude == 0) return d;
        d.negative_ = negative;
        d.low_ = static_cast<std::uint64_t>(magnitude & Wide(std::numeric_limits<std::uint64_t>::max()));
        d.high_ = static_cast<std::uint64_t>(magnitude >> 64);
        d.exponent_ = static_cast<std::int32_t>(exponent);
        return d;
    }

    static Decimal make(Parts p, RoundingMode mode = RoundingMode::halfEven);
};

namespace {

const Wide& powerOfTen(std::int64_t n) {
    // Exponents stay within a few hundred digits: operands are bounded by the
    // value range, and texts are cut to a handful of digits before they get here.
    static const std::vector<Wide> table = [] {
        std::vector<Wide> t;
        Wide p = 1;
        for (int i = 0; i <= 400; ++i) {
            t.push_back(p);
            p *= 10;
        }
        return t;
    }();
    if (n < 0 || n >= static_cast<std::int64_t>(table.size())) throw std::out_of_range("power of ten");
    return table[static_cast<std::size_t>(n)];
}

std::int64_t digitCount(const Wide& magnitude) {
    if (magnitude == 0) return 0;
    // Estimate from the bit length, then correct by one comparison each way.
    const auto bits = static_cast<std::int64_t>(boost::multiprecision::msb(magnitude)) + 1;
    std::int64_t digits = (bits * 30103) / 100000;  // floor(bits × log10(2))
    if (digits < 1) digits = 1;
    while (digits > 1 && magnitude < powerOfTen(digits - 1)) --digits;
    while (magnitude >= powerOfTen(digits)) ++digits;
    return digits;
}

// Drops the last `count` digits of a magnitude, rounding as asked.
Wide dropDigits(const Wide& magnitude, std::int64_t count, RoundingMode mode) {
    if (count <= 0) return magnitude;
    if (count > digitCount(magnitude)) {
        // Everything goes; only "half away from zero/even" could round up, and
        // the value is below a tenth of the step, so nothing does.
        return 0;
    }
    const Wide& divisor = powerOfTen(count);
    Wide quotient;
    Wide remainder;
    boost::multiprecision::divide_qr(magnitude, divisor, quotient, remainder);
    if (remainder == 0 || mode == RoundingMode::down) return quotient;
    const Wide twice = remainder * 2;
    if (twice > divisor) return quotient + 1;
    if (twice < divisor) return quotient;
    if (mode == RoundingMode::halfAwayFromZero) return quotient + 1;
    return (quotient & 1) != 0 ? quotient + 1 : quotient;
}

const Wide& largestCoefficient() {
    static const Wide value = powerOfTen(Decimal::maxDigits) - 1;
    return value;
}

}  // namespace

Decimal DecimalAccess::make(Parts p, RoundingMode mode) {
    if (p.magnitude == 0) return Decimal();
    // Keep at most 38 digits and nothing finer than the smallest step, in one
    // rounding: rounding twice could turn a value just below a tie into a tie.
    const std::int64_t drop = std::max<std::int64_t>(digitCount(p.magnitude) - Decimal::maxDigits,
                                                     Decimal::minExponent - p.exponent);
    if (drop > 0) {
        p.magnitude = dropDigits(p.magnitude, drop, mode);
        p.exponent += drop;
        if (p.magnitude == 0) return Decimal();
    }
    // A carry into a 39th digit (99...9 -> 100...0) leaves trailing zeros that
    // normalising removes.
    while (p.magnitude % 10 == 0) {
        p.magnitude /= 10;
        p.exponent += 1;
    }
    // Beyond the largest value (38 nines times 10^maxExponent): saturate.
    if (digitCount(p.magnitude) + p.exponent > Decimal::maxDigits + Decimal::maxExponent) {
        return pack(p.negative, largestCoefficient(), Decimal::maxExponent);
    }
    return pack(p.negative, p.magnitude, p.exponent);
}

void Decimal::setInteger(bool negative, std::uint64_t magnitude) {
    *this = DecimalAccess::make({negative, Wide(magnitude), 0});
}

Decimal Decimal::fromParts(std::int64_t coefficient, int exponent) {
    const Decimal c(coefficient);
    auto p = DecimalAccess::parts(c);
    p.exponent += exponent;
    return DecimalAccess::make(std::move(p));
}

std::optional<Decimal> Decimal::fromText(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };

    // Significant digits beyond these cannot change a 38-digit result except
    // through whether they are all zero, which `sticky` remembers.
    constexpr std::size_t keptDigits = maxDigits + 2;
    std::string significant;
    bool sticky = false;
    std::int64_t exponent = 0;  // of the last kept digit
    std::size_t digitsSeen = 0;

    const auto takeDigit = [&](char c, bool inFraction) {
        ++digitsSeen;
        if (significant.empty() && c == '0') {
            if (inFraction) --exponent;
            return;
        }
        if (significant.size() < keptDigits) {
            significant.push_back(c);
            if (inFraction) --exponent;
        } else {
            if (c != '0') sticky = true;
            if (!inFraction) ++exponent;
        }
    };

    while (i < text.size() && isDigit(text[i])) takeDigit(text[i++], false);
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) takeDigit(text[i++], true);
    }
    if (digitsSeen == 0) return std::nullopt;

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i >= text.size() || !isDigit(text[i])) return std::nullopt;
        // Saturate: anything this large is out of range or rounds to zero anyway.
        std::int64_t value = 0;
        while (i < text.size() && isDigit(text[i])) {
            value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), 1'000'000'000);
            ++i;
        }
        exponent += negativeExponent ? -value : value;
    }
    if (i != text.size()) return std::nullopt;
    if (significant.empty()) return Decimal();

    if (sticky) {
        // A trailing 1 stands for the non-zero digits that were cut: it breaks a
        // false tie without ever reaching the 38th digit.
        significant.push_back('1');
        exponent -= 1;
    }
    const auto digits = static_cast<std::int64_t>(significant.size());
    if (digits + exponent > maxDigits + maxExponent) {
        // Could still round down into range only if it were exactly at the
        // boundary, which 38 nines already are; anything above is too large.
        return std::nullopt;
    }
    if (digits + exponent == maxDigits + maxExponent && digits > maxDigits &&
        significant.compare(0, maxDigits, std::string(maxDigits, '9')) == 0 &&
        significant[maxDigits] >= '5') {
        // 38 nines at the top of the range that would round up past it.
        return std::nullopt;
    }
    if (digits + exponent < minExponent - 1) return Decimal();
    Wide magnitude(significant.c_str());
    return DecimalAccess::make({negative, std::move(magnitude), exponent});
}

Result<Decimal> Decimal::fromJson(const Json& value, std::string_view context) {
    if (!value.isNumber()) {
        return makeError(std::string(context.empty() ? "value" : context) + ": expected a number, found " +
                         std::string(jsonTypeName(value.type())));
    }
    auto parsed = fromText(value.numberText());
    if (!parsed) {
        return makeError(std::string(context.empty() ? "value" : context) + ": number out of range: " +
                         value.numberText());
    }
    return *parsed;
}

std::string Decimal::text() const { return text(0); }

std::string Decimal::text(int minFractionDigits) const {
    const auto p = DecimalAccess::parts(*this);
    std::string digits = p.magnitude.str();
    std::string out;
    if (negative_) out.push_back('-');
    if (p.exponent >= 0) {
        out += digits;
        out.append(static_cast<std::size_t>(p.exponent), '0');
        if (isZero()) out = "0";
        if (minFractionDigits > 0) {
            out.push_back('.');
            out.append(static_cast<std::size_t>(minFractionDigits), '0');
        }
        return out;
    }
    const auto fraction = static_cast<std::size_t>(-p.exponent);
    if (digits.size() <= fraction) {
        out += "0.";
        out.append(fraction - digits.size(), '0');
        out += digits;
    } else {
        out += digits.substr(0, digits.size() - fraction);
        out.push_back('.');
        out += digits.substr(digits.size() - fraction);
    }
    if (minFractionDigits > 0 && fraction < static_cast<std::size_t>(minFractionDigits)) {
        out.append(static_cast<std::size_t>(minFractionDigits) - fraction, '0');
    }
    return out;
}

double Decimal::toDouble() const {
    // strtod rounds the exact decimal text correctly.
    const std::string t = text();
    return std::strtod(t.c_str(), nullptr);
}

Decimal Decimal::magnitude() const {
    Decimal d = *this;
    d.negative_ = false;
    return d;
}

Decimal Decimal::rounded(int scale, RoundingMode mode) const {
    if (isZero() || -static_cast<std::int64_t>(exponent_) <= scale) return *this;
    auto p = DecimalAccess::parts(*this);
    p.magnitude = dropDigits(p.magnitude, -p.exponent - scale, mode);
    p.exponent = -static_cast<std::int64_t>(scale);
    return DecimalAccess::make(std::move(p));
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    if (!d.isZero()) d.negative_ = !d.negative_;
    return d;
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    if (a.isZero()) return b;
    if (b.isZero()) return a;
    auto x = DecimalAccess::parts(a);
    auto y = DecimalAccess::parts(b);
    const std::int64_t exponent = std::min(x.exponent, y.exponent);
    // Exponents span at most a few hundred, so aligning stays cheap.
    x.magnitude *= powerOfTen(x.exponent - exponent);
    y.magnitude *= powerOfTen(y.exponent - exponent);
    DecimalAccess::Parts sum;
    sum.exponent = exponent;
    if (x.negative == y.negative) {
        sum.negative = x.negative;
        sum.magnitude = x.magnitude + y.magnitude;
    } else if (x.magnitude >= y.magnitude) {
        sum.negative = x.negative;
        sum.magnitude = x.magnitude - y.magnitude;
    } else {
        sum.negative = y.negative;
        sum.magnitude = y.magnitude - x.magnitude;
    }
    return DecimalAccess::make(std::move(sum));
}

Decimal operator-(const Decimal& a, const Decimal& b) { return a + (-b); }

Decimal operator*(const Decimal& a, const Decimal& b) {
    if (a.isZero() || b.isZero()) return Decimal();
    auto x = DecimalAccess::parts(a);
    auto y = DecimalAccess::parts(b);
    return DecimalAccess::make({x.negative != y.negative, x.magnitude * y.magnitude, x.exponent + y.exponent});
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.isZero()) throw std::domain_error("Decimal division by zero");
    if (a.isZero()) return Decimal();
    auto x = DecimalAccess::parts(a);
    auto y = DecimalAccess::parts(b);
    // Scale the dividend so the quotient has at least two digits more than we
    // keep; a non-zero remainder then adds a sticky digit so ties round right.
    const std::int64_t shift =
        std::max<std::int64_t>(0, Decimal::maxDigits + 2 + digitCount(y.magnitude) - digitCount(x.magnitude));
    Wide quotient;
    Wide remainder;
    boost::multiprecision::divide_qr(Wide(x.magnitude * powerOfTen(shift)), y.magnitude, quotient, remainder);
    std::int64_t exponent = x.exponent - y.exponent - shift;
    if (remainder != 0) {
        quotient = quotient * 10 + 1;
        exponent -= 1;
    }
    return DecimalAccess::make({x.negative != y.negative, std::move(quotient), exponent});
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    if (a.signum() != b.signum()) return a.signum() <=> b.signum();
    if (a.isZero()) return std::strong_ordering::equal;
    const auto x = DecimalAccess::parts(a);
    const auto y = DecimalAccess::parts(b);
    // Compare magnitudes by aligning exponents, then flip for negatives.
    std::strong_ordering magnitudeOrder = std::strong_ordering::equal;
    const std::int64_t xTop = digitCount(x.magnitude) + x.exponent;
    const std::int64_t yTop = digitCount(y.magnitude) + y.exponent;
    if (xTop != yTop) {
        magnitudeOrder = xTop <=> yTop;
    } else {
        const std::int64_t exponent = std::min(x.exponent, y.exponent);
        const Wide xm = x.magnitude * powerOfTen(x.exponent - exponent);
        const Wide ym = y.magnitude * powerOfTen(y.exponent - exponent);
        magnitudeOrder = xm < ym ? std::strong_ordering::less
                                 : (xm > ym ? std::strong_ordering::greater : std::strong_ordering::equal);
    }
    if (!a.isNegative()) return magnitudeOrder;
    return 0 <=> magnitudeOrder;
}

Json toJson(const Decimal& value) { return Json::numberText(value.text()); }

std::ostream& operator<<(std::ostream& out, const Decimal& value) { return out << value.text(); }

}  // namespace Base
