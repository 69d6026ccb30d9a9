#include "WaylarkKit/Views/StatusLabel.h"

#include <vector>

#include "Base/Text.h"

namespace WaylarkKit::StatusLabel {
namespace {

constexpr std::size_t fullLimit = 16;  // characters a full name may have
constexpr std::size_t cutLength = 15;  // characters kept before the ellipsis

bool isSeparator(const std::string& character) { return character == " " || character == "-" || character == "_"; }

}  // namespace

std::string word(const TradingCore::Evaluation& evaluation, bool abbreviated) {
    using TradingCore::StatusBase;
    switch (evaluation.base) {
        case StatusBase::red: return abbreviated ? "Rest" : "Restricted";
        case StatusBase::gray: return abbreviated ? "Out" : "Outside";
        case StatusBase::amber: return abbreviated ? "Warn" : "Caution";
        case StatusBase::green: break;
    }
    const std::string name = evaluation.windowName.value_or("Window");
    std::string text;
    if (abbreviated) {
        text = abbreviation(name);
    } else if (Base::Text::graphemeCount(name) > fullLimit) {
        text = Base::Text::graphemePrefix(name, cutLength) + "\u2026";
    } else {
        text = name;
    }
    if (evaluation.confidence != TradingCore::DataConfidence::live) text += '?';
    return text;
}

std::string abbreviation(std::string_view name) {
    const std::string trimmed = Base::Text::trimmed(name);
    const std::vector<std::string> characters = Base::Text::graphemes(trimmed);
    if (characters.size() < 6) return trimmed;

    // Only the first character of each of the first three words is needed.
    std::vector<const std::string*> initials;
    bool inWord = false;
    std::size_t words = 0;
    for (const auto& character : characters) {
        if (isSeparator(character)) {
            inWord = false;
            continue;
        }
        if (!inWord) {
            ++words;
            if (initials.size() < 3) initials.push_back(&character);
        }
        inWord = true;
    }
    if (words <= 1) return Base::Text::graphemePrefix(trimmed, 4);

    std::string result;
    for (const std::string* initial : initials) result += Base::Text::uppercased(*initial);
    return result;
}

}  // namespace WaylarkKit::StatusLabel
