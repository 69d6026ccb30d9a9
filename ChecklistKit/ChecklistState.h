#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistTemplate.h"

namespace ChecklistKit {

// Everything stored about the checklists: the root of the checklist file.
// Ticks and choices are keyed by the upper-case text of the template's and
// the item's id (`Base::Uuid::text()`), compared byte for byte, so a key
// written in lower case matches nothing.
struct ChecklistState {
    static constexpr std::int64_t currentVersion = 1;

    using TickLists = std::map<std::string, std::vector<std::string>>;
    using ChoiceMaps = std::map<std::string, std::map<std::string, std::string>>;

    std::int64_t version = currentVersion;
    std::vector<ChecklistTemplate> templates;  // in display order
    // None only when there are no templates (once repaired).
    std::optional<Base::Uuid> activeTemplateID;
    TickLists checked;   // template key -> ticked item keys
    ChoiceMaps choices;  // template key -> item key -> chosen option text

    ChecklistState() = default;
    // Always of the current version.
    ChecklistState(std::vector<ChecklistTemplate> templates_, std::optional<Base::Uuid> activeTemplateID_,
                   TickLists checked_, ChoiceMaps choices_)
        : templates(std::move(templates_)),
          activeTemplateID(activeTemplateID_),
          checked(std::move(checked_)),
          choices(std::move(choices_)) {}

    // A copy that keeps every limit and invariant: at most 30 templates with
    // distinct ids, at most 60 distinct non-blank items each, cleaned texts and
    // options, sorted tick lists naming existing items, an item with options
    // ticked exactly when it holds one of them as its choice, no empty entries,
    // and an active template whenever there is a template. Never fails.
    ChecklistState validated() const;

    bool operator==(const ChecklistState&) const = default;
};

}  // namespace ChecklistKit
