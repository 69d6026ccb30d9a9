#include "WaylarkKit/Calculator/CalculatorFormat.h"

#include <algorithm>
#include <cstddef>
#include <optional>
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

bool allAsciiDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), isAsciiDigit); }

// Where the comma that can only be the decimal mark stands: the last comma,
// when only digits follow it and either fewer than three of them, or nothing
// but zeros stands before it ("2500,50", "1,5", "0,001"). A comma that three
// digits follow stays a thousands separator, so "2,500" is still 2500.
std::optional<std::size_t> decimalComma(std::string_view text) {
    const std::size_t comma = text.rfind(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::string_view tail = text.substr(comma + 1);
    if (!allAsciiDigits(tail)) return std::nullopt;
    const std::string_view head = text.substr(0, comma);
    const bool zeroWhole = std::all_of(head.begin(), head.end(), [](char c) { return c == '0' || c == ','; });
    if (tail.size() < 3 || zeroWhole) return comma;
    return std::nullopt;
}

// Whether `after` is `before` with characters taken out and nothing put in.
bool onlyDeleted(std::string_view before, std::string_view after) {
    if (after.size() >= before.size()) return false;
    std::size_t i = 0;
    for (const char c : before) {
        if (i < after.size() && after[i] == c) ++i;
    }
    return i == after.size();
}

bool commaAfterPoint(std::string_view text) {
    const std::size_t point = text.find('.');
    return point != std::string_view::npos && text.find(',', point) != std::string_view::npos;
}

// Per character: a digit, the point or the decimal comma, which the caret keeps its place behind.
std::vector<bool> significance(std::string_view text, const std::vector<std::string>& characters) {
    const std::optional<std::size_t> comma = decimalComma(text);
    std::vector<bool> out;
    out.reserve(characters.size());
    std::size_t offset = 0;
    for (const std::string& character : characters) {
        const bool number = character.size() == 1 && (isAsciiDigit(character[0]) || character[0] == '.');
        out.push_back(number || (comma && offset == *comma));
        offset += character.size();
    }
    return out;
}

}  // namespace

std::string plain(const Decimal& value) { return formatted(value, false, 0, 8); }

std::string grouped(const Decimal& value) { return formatted(value, true, 0, 2); }

std::string money(const Decimal& value) {
    const bool whole = value == value.rounded(0, Base::RoundingMode::halfEven);
    return "$" + formatted(value, true, whole ? 0 : 2, 2);
}

std::string percent(const Decimal& value) { return formatted(value, false, 0, 2) + "%"; }

std::string liveGrouped(std::string_view typed, std::string_view before) {
    std::string raw;
    raw.reserve(typed.size());
    for (const char c : typed) {
        if (c != ',') raw += c;
    }
    if (!std::all_of(raw.begin(), raw.end(), [](char c) { return isAsciiDigit(c) || c == '.'; })) {
        return std::string(typed);
    }
    // A comma after the point is no separator of any kind: left for the parser to refuse.
    if (commaAfterPoint(typed)) return std::string(typed);
    // Deleting digits out of "10,000" leaves its separator a separator ("1,000");
    // only a comma that was the decimal mark before stays one.
    const bool deleting = onlyDeleted(before, typed);
    const std::optional<std::size_t> comma = decimalComma(typed);
    if (comma && (!deleting || (decimalComma(before) && std::count(typed.begin(), typed.end(), ',') ==
                                                             std::count(before.begin(), before.end(), ',')))) {
        // Grouped by commas too, the text would no longer read as one number.
        std::string whole;
        for (const char c : typed.substr(0, *comma)) {
            if (c != ',') whole += c;
        }
        std::string_view digits = whole;
        while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
        return std::string(digits) + std::string(typed.substr(*comma));
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
    const std::vector<bool> typedCounts = significance(original, typed);
    const auto before = std::count(typedCounts.begin(), typedCounts.begin() + bounded, true);

    const std::vector<std::string> shown = Base::Text::graphemes(formatted);
    const std::vector<bool> shownCounts = significance(formatted, shown);
    std::ptrdiff_t passed = 0;
    for (std::size_t position = 0; position < shown.size(); ++position) {
        if (passed == before) return static_cast<int>(position);
        if (shownCounts[position]) ++passed;
    }
    return static_cast<int>(shown.size());
}

}  // namespace WaylarkKit::CalculatorFormat
