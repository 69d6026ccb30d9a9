#include "ChecklistKit/ChecklistItem.h"

#include <algorithm>

#include "Base/Text.h"

namespace ChecklistKit {

namespace {

bool isLineBreak(char32_t cp) {
    return (cp >= 0x0A && cp <= 0x0D) || cp == 0x85 || cp == 0x2028 || cp == 0x2029;
}

}  // namespace

bool ChecklistItem::isBlank() const {
    const std::u32string cps = Base::Text::codePoints(text);
    return std::all_of(cps.begin(), cps.end(),
                       [](char32_t cp) { return Base::Text::isTrimmedSpace(cp) || isLineBreak(cp); });
}

}  // namespace ChecklistKit
