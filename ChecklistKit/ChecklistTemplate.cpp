#include "ChecklistKit/ChecklistTemplate.h"

namespace ChecklistKit {

std::vector<ChecklistItem> ChecklistTemplate::countedItems() const {
    std::vector<ChecklistItem> counted;
    for (const ChecklistItem& item : items) {
        if (!item.isBlank()) counted.push_back(item);
    }
    return counted;
}

}  // namespace ChecklistKit
