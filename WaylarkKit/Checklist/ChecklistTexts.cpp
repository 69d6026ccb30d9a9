#include "WaylarkKit/Checklist/ChecklistTexts.h"

#include <algorithm>
#include <cmath>

#include "Base/Text.h"

namespace WaylarkKit::ChecklistTexts {

std::string shortened(std::string_view text, std::size_t limit) {
    if (limit < 2 || Base::Text::graphemeCount(text) < limit) return std::string(text);
    return Base::Text::graphemePrefix(text, limit - 2) + "\u2026";
}

std::string pillLabel(const std::optional<std::string>& choice) {
    return shortened(choice ? *choice : std::string("Choose"), pillLimit);
}

std::string countText(const ChecklistKit::ChecklistProgress& progress) {
    return std::to_string(progress.done) + "/" + std::to_string(progress.total);
}

bool canReset(const std::optional<ChecklistKit::ChecklistProgress>& progress) {
    return progress && progress->done > 0;
}

std::string holdLabel(bool isHolding) { return isHolding ? "Resetting\u2026" : "Hold to reset"; }

double holdFillWidth(double progress, double trackWidth) {
    const double width = progress * trackWidth;
    return std::isnan(width) ? 0 : std::clamp(width, 0.0, trackWidth);
}

double dropdownListHeight(std::size_t checklists) {
    constexpr double rowHeight = 26;
    return static_cast<double>(std::min<std::size_t>(checklists, 4)) * rowHeight;
}

std::string choiceButtonLabel(const ChecklistKit::ChecklistItem& item) {
    return item.hasOptions() ? std::to_string(item.options.size()) : "Choices";
}

}  // namespace WaylarkKit::ChecklistTexts
