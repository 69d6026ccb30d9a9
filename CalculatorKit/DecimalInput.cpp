#include "CalculatorKit/DecimalInput.h"

#include <algorithm>
#include <string>
#include <vector>

#include "Base/Text.h"

namespace CalculatorKit::DecimalInput {

namespace {

// Unicode White_Space: the Zs spaces (no-break and thin ones too), tab, the
// line breaks and the other vertical spaces.
bool isWhiteSpace(char32_t c) {
    return Base::Text::isTrimmedSpace(c) || (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == separator) {
            pieces.emplace_back();
        } else {
            pieces.back().push_back(c);
        }
    }
    return pieces;
}

// "1,234,567" with ',' gives "1234567"; anything not grouped by threes gives nothing.
std::optional<std::string> ungrouped(const std::string& text, char separator) {
    const std::vector<std::string> pieces = split(text, separator);
    if (pieces.size() < 2) return std::nullopt;
    if (pieces.front().empty() || pieces.front().size() > 3) return std::nullopt;
    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0 && pieces[i].size() != 3) return std::nullopt;
        joined += pieces[i];
    }
    return joined;
}

bool allDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<Base::Decimal> parse(std::string_view text) {
    std::string cleaned;
    for (char32_t c : Base::Text::codePoints(text)) {
        if (isWhiteSpace(c) || c == U'\'' || c == U'_') continue;
        const bool allowed = (c >= U'0' && c <= U'9') || c == U'.' || c == U',';
        if (!allowed) return std::nullopt;
        cleaned.push_back(static_cast<char>(c));
    }
    if (cleaned.empty()) return std::nullopt;

    const auto dots = std::count(cleaned.begin(), cleaned.end(), '.');
    const auto commas = std::count(cleaned.begin(), cleaned.end(), ',');
    std::string whole;
    std::string fraction;

    const auto splitAtDecimal = [&](char decimal) -> bool {
        const std::vector<std::string> pieces = split(cleaned, decimal);
        if (pieces.size() != 2) return false;
        whole = pieces[0];
        fraction = pieces[1];
        return true;
    };

    if (dots > 0 && commas > 0) {
        const char decimal = cleaned.rfind('.') > cleaned.rfind(',') ? '.' : ',';
        const char grouping = decimal == '.' ? ',' : '.';
        if (!splitAtDecimal(decimal)) return std::nullopt;
        std::optional<std::string> joined = ungrouped(whole, grouping);
        if (!joined) return std::nullopt;
        whole = std::move(*joined);
    } else if (dots + commas >= 2) {
        std::optional<std::string> joined = ungrouped(cleaned, dots > 0 ? '.' : ',');
        if (!joined) return std::nullopt;
        whole = std::move(*joined);
    } else if (dots == 1) {
        splitAtDecimal('.');
    } else if (commas == 1) {
        const std::size_t comma = cleaned.find(',');
        const std::size_t after = cleaned.size() - comma - 1;
        // "0,001" cannot be a grouped thousand: read as grouping it would be
        // one, a thousandfold error in money or in a stop distance.
        const bool leadingZero = cleaned.compare(0, comma, "0") == 0;
        if (after <= 2 || leadingZero) {
            splitAtDecimal(',');
        } else {
            std::optional<std::string> joined = ungrouped(cleaned, ',');
            if (!joined) return std::nullopt;
            whole = std::move(*joined);
        }
    } else {
        whole = cleaned;
    }

    if (!allDigits(whole) || !allDigits(fraction)) return std::nullopt;
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (whole.empty()) whole = "0";
    return Base::Decimal::fromText(fraction.empty() ? whole : whole + "." + fraction);
}

}  // namespace CalculatorKit::DecimalInput
