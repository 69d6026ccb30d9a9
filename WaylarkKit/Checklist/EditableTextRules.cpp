#include "WaylarkKit/Checklist/EditableTextRules.h"

#include <algorithm>

#include "Base/Text.h"

namespace WaylarkKit {

FormattedEdit formatEdit(const std::string& raw, int caret, const LiveFormatter& formatter, const CaretRule& rule) {
    if (!formatter) return {raw, false, std::nullopt};
    std::string formatted = formatter(raw);
    if (formatted == raw) return {raw, false, std::nullopt};
    std::optional<int> placed;
    if (rule) placed = boundedCaret(rule(raw, caret, formatted), formatted);
    return {std::move(formatted), true, placed};
}

int utf16Length(std::string_view utf8) {
    int units = 0;
    for (const char32_t cp : Base::Text::codePoints(utf8)) units += cp > 0xFFFF ? 2 : 1;
    return units;
}

int boundedCaret(int caret, std::string_view utf8) {
    if (caret <= 0) return 0;
    int units = 0;
    for (const char32_t cp : Base::Text::codePoints(utf8)) {
        const int width = cp > 0xFFFF ? 2 : 1;
        if (units + width > caret) return units;
        units += width;
    }
    return std::min(caret, units);
}

}  // namespace WaylarkKit
