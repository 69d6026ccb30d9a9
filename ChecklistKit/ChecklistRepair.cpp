#include <algorithm>
#include <set>
#include <unordered_set>

#include "ChecklistKit/ChecklistLimits.h"
#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/ChecklistText.h"

namespace ChecklistKit {

namespace {

ChecklistTemplate repairedTemplate(const ChecklistTemplate& stored) {
    ChecklistTemplate result;
    result.id = stored.id;
    result.name = ChecklistText::clean(stored.name, ChecklistLimits::maxNameLength, true);
    if (result.name.empty()) result.name = "Untitled";

    // The cut comes before blank items are dropped, and a blank item still
    // claims its id: both keep repair a simple function of the stored order.
    std::unordered_set<Base::Uuid> taken;
    const std::size_t count = std::min(stored.items.size(), ChecklistLimits::maxItemsPerTemplate);
    for (std::size_t i = 0; i < count; ++i) {
        const ChecklistItem& item = stored.items[i];
        if (!taken.insert(item.id).second) continue;
        ChecklistItem repaired{item.id, ChecklistText::clean(item.text, ChecklistLimits::maxItemLength, true),
                               ChecklistText::options(item.options)};
        if (!repaired.isBlank()) result.items.push_back(std::move(repaired));
    }
    return result;
}

const std::string* offeredOption(const ChecklistItem& item, const std::string& choice) {
    for (const std::string& option : item.options) {
        if (ChecklistText::equal(option, choice)) return &option;
    }
    return nullptr;
}

}  // namespace

ChecklistState ChecklistState::validated() const {
    std::vector<ChecklistTemplate> repaired;
    std::unordered_set<Base::Uuid> takenTemplates;
    const std::size_t count = std::min(templates.size(), ChecklistLimits::maxTemplates);
    for (std::size_t i = 0; i < count; ++i) {
        if (!takenTemplates.insert(templates[i].id).second) continue;
        repaired.push_back(repairedTemplate(templates[i]));
    }

    TickLists newChecked;
    ChoiceMaps newChoices;
    for (const ChecklistTemplate& tmpl : repaired) {
        const std::string key = tmpl.id.text();
        std::set<std::string> itemKeys;
        for (const ChecklistItem& item : tmpl.items) itemKeys.insert(item.id.text());

        std::set<std::string> ticks;
        if (auto stored = checked.find(key); stored != checked.end()) {
            for (const std::string& itemKey : stored->second) {
                if (itemKeys.count(itemKey)) ticks.insert(itemKey);
            }
        }

        const auto storedChoices = choices.find(key);
        for (const ChecklistItem& item : tmpl.items) {
            if (!item.hasOptions()) continue;
            const std::string itemKey = item.id.text();
            const std::string* option = nullptr;
            if (storedChoices != choices.end()) {
                if (auto choice = storedChoices->second.find(itemKey); choice != storedChoices->second.end()) {
                    option = offeredOption(item, choice->second);
                }
            }
            // An item with options is ticked exactly when it holds one of them.
            if (option) {
                newChoices[key][itemKey] = *option;
                ticks.insert(itemKey);
            } else {
                ticks.erase(itemKey);
            }
        }
        if (!ticks.empty()) newChecked[key] = std::vector<std::string>(ticks.begin(), ticks.end());
    }

    std::optional<Base::Uuid> active;
    if (!repaired.empty()) {
        const bool exists = activeTemplateID &&
                            std::any_of(repaired.begin(), repaired.end(),
                                        [&](const ChecklistTemplate& t) { return t.id == *activeTemplateID; });
        active = exists ? *activeTemplateID : repaired.front().id;
    }
    return ChecklistState(std::move(repaired), active, std::move(newChecked), std::move(newChoices));
}

}  // namespace ChecklistKit
