#include "ChecklistKit/ChecklistText.h"

#include <unordered_set>

#include "Base/Text.h"
#include "ChecklistKit/ChecklistLimits.h"

namespace ChecklistKit::ChecklistText {

std::string clean(std::string_view text, std::size_t maxLength, bool trimmed) {
    std::string result = Base::Text::cleanUserText(text, maxLength, trimmed);
    // A cut just after a space would leave it at the end, and the next repair
    // would trim it, shortening or merging options and dropping the choice
    // that matched them.
    if (trimmed) result = Base::Text::trimmed(result);
    return result;
}

std::vector<std::string> options(const std::vector<std::string>& entries) {
    std::vector<std::string> result;
    std::unordered_set<std::string> taken;  // in NFC
    for (const std::string& entry : entries) {
        std::string option = clean(entry, ChecklistLimits::maxOptionLength, true);
        if (option.empty()) continue;
        if (!taken.insert(Base::Text::nfc(option)).second) continue;
        result.push_back(std::move(option));
        if (result.size() >= ChecklistLimits::maxOptionsPerItem) break;
    }
    return result;
}

std::vector<std::string> options(std::string_view commaSeparated) {
    std::vector<std::string> pieces;
    for (;;) {
        const std::size_t comma = commaSeparated.find(',');
        pieces.emplace_back(commaSeparated.substr(0, comma));
        if (comma == std::string_view::npos) break;
        commaSeparated.remove_prefix(comma + 1);
    }
    return options(pieces);
}

bool equal(std::string_view a, std::string_view b) {
    return a == b || Base::Text::nfc(a) == Base::Text::nfc(b);
}

}  // namespace ChecklistKit::ChecklistText
