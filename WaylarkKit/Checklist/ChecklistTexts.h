#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "ChecklistKit/ChecklistItem.h"
#include "ChecklistKit/ChecklistProgress.h"

// Texts and small rules of the checklist tab and the checklist editor, free of
// the toolkit so tests state them without a window.
namespace WaylarkKit::ChecklistTexts {

// Label lengths (in user-perceived characters) from which a label is shortened.
inline constexpr std::size_t headerNameLimit = 17;
inline constexpr std::size_t pillLimit = 13;
inline constexpr std::size_t chipLimit = 15;
inline constexpr std::size_t dropdownRowLimit = 23;
inline constexpr std::size_t sidebarNameLimit = 25;

// A text of at least `limit` characters shows its first `limit` - 2 and "…";
// a shorter one shows whole. Nothing is trimmed.
std::string shortened(std::string_view text, std::size_t limit);

// The option picker's pill: the choice, or "Choose".
std::string pillLabel(const std::optional<std::string>& choice);

// "3/9": done over total, no spaces.
std::string countText(const ChecklistKit::ChecklistProgress& progress);

// The reset is offered from the first ticked item of an active checklist.
bool canReset(const std::optional<ChecklistKit::ChecklistProgress>& progress);

// The hold-to-reset button's label and the width of its orange fill.
std::string holdLabel(bool isHolding);
double holdFillWidth(double progress, double trackWidth);

// Height of the dropdown's list of checklists: up to four rows show, more scroll.
double dropdownListHeight(std::size_t checklists);

// The editor's dropdown button: the number of options, or "Choices".
std::string choiceButtonLabel(const ChecklistKit::ChecklistItem& item);

}  // namespace WaylarkKit::ChecklistTexts
