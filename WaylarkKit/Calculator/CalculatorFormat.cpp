#include "WaylarkKit/Calculator/CalculatorFormat.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "Base/Text.h"

namespace WaylarkKit::CalculatorFormat {

namespace {

using Base::Decimal;

std::string groupedDigits(std::string_view digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const std::size_t fromRight = digits.size() - i;
        if (i > 0 && fromRight % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// Rounds half to even, keeps at least `minFraction` fraction digits and drops
// further trailing zeros. A value that rounds to zero loses its sign.
std::string formatted(const Decimal& value, bool grouping, int minFraction, int maxFraction) {
    const Decimal rounded = value.rounded(maxFraction, Base::RoundingMode::halfEven);
    const bool negative = rounded.isNegative() && !rounded.isZero();
    const std::string digits = rounded.magnitude().text(minFraction);
    const std::size_t point = digits.find('.');
    const std::string_view whole = std::string_view(digits).substr(0, point);
    std::string out = negative ? "-" : "";
    out += grouping ? groupedDigits(whole) : std::string(whole);
    if (point != std::string::npos) out += digits.substr(point);
    return out;
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool isSignificant(const std::string& character) {
    return character.size() == 1 && (isAsciiDigit(character[0]) || character[0] == '.');
}

}  // namespace

std::string plain(const Decimal& value) { return formatted(value, false, 0, 8); }

std::string grouped(const Decimal& value) { return formatted(value, true, 0, 2); }

std::string money(const Decimal& value) {
    const bool whole = value == value.rounded(0, Base::RoundingMode::halfEven);
    return "$" + formatted(value, true, whole ? 0 : 2, 2);
}

std::string percent(const Decimal& value) { return formatted(value, false, 0, 2) + "%"; }

std::string liveGrouped(std::string_view typed) {
    std::string raw;
    raw.reserve(typed.size());
    for (const char c : typed) {
        if (c != ',') raw += c;
    }
    if (!std::all_of(raw.begin(), raw.end(), [](char c) { return isAsciiDigit(c) || c == '.'; })) {
        return std::string(typed);
    }
    if (std::count(raw.begin(), raw.end(), '.') >= 2) return std::string(typed);

    const std::size_t point = raw.find('.');
    std::string_view whole = std::string_view(raw).substr(0, point);
    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    std::string out = groupedDigits(whole);
    if (point != std::string::npos) out += raw.substr(point);
    return out;
}

int caretAfterGrouping(std::string_view original, int caret, std::string_view formatted) {
    const std::vector<std::string> typed = Base::Text::graphemes(original);
    const auto end = static_cast<int>(typed.size());
    const int bounded = std::clamp(caret, 0, end);
    const auto before = std::count_if(typed.begin(), typed.begin() + bounded, isSignificant);

    const std::vector<std::string> shown = Base::Text::graphemes(formatted);
    std::ptrdiff_t passed = 0;
    for (std::size_t position = 0; position < shown.size(); ++position) {
        if (passed == before) return static_cast<int>(position);
        if (isSignificant(shown[position])) ++passed;
    }
    return static_cast<int>(shown.size());
}

}  // namespace WaylarkKit::CalculatorFormat
