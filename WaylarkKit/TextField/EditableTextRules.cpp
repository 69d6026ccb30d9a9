#include "WaylarkKit/TextField/EditableTextRules.h"

#include <algorithm>

#include "Base/Text.h"

namespace WaylarkKit {

namespace {

int unitsOf(char32_t codePoint) { return codePoint > 0xFFFF ? 2 : 1; }

int utf16Length(std::u32string_view codePoints) {
    int units = 0;
    for (const char32_t cp : codePoints) units += unitsOf(cp);
    return units;
}

}  // namespace

FormattedEdit formatEdit(const std::string& raw, int caret, const LiveFormatter& formatter, const CaretRule& rule) {
    if (!formatter) return {raw, false, std::nullopt};
    std::string formatted = formatter(raw);
    if (formatted == raw) return {raw, false, std::nullopt};
    std::optional<int> placed;
    if (rule) placed = boundedCaret(rule(raw, caret, formatted), formatted);
    return {std::move(formatted), true, placed};
}

int utf16Length(std::string_view utf8) { return utf16Length(Base::Text::codePoints(utf8)); }

int boundedCaret(int caret, std::string_view utf8) {
    if (caret <= 0) return 0;
    int units = 0;
    for (const char32_t cp : Base::Text::codePoints(utf8)) {
        if (units + unitsOf(cp) > caret) return units;
        units += unitsOf(cp);
    }
    return std::min(caret, units);
}

int caretAfterKeeping(std::string_view typed, int caret, std::string_view kept) {
    const std::u32string typedPoints = Base::Text::codePoints(typed);
    std::size_t head = 0;
    for (int units = 0; head < typedPoints.size() && units < caret; ++head) units += unitsOf(typedPoints[head]);
    const std::u32string_view tail = std::u32string_view(typedPoints).substr(head);
    const std::u32string keptPoints = Base::Text::codePoints(kept);
    if (!std::u32string_view(keptPoints).ends_with(tail)) return boundedCaret(caret, kept);
    return utf16Length(std::u32string_view(keptPoints).substr(0, keptPoints.size() - tail.size()));
}

}  // namespace WaylarkKit
