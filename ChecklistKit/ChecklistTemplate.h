#pragma once

#include <string>
#include <vector>

#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistItem.h"

namespace ChecklistKit {

// A named checklist.
struct ChecklistTemplate {
    Base::Uuid id;
    std::string name;
    std::vector<ChecklistItem> items;  // in display order

    // The items that are shown, ticked and counted: the non-blank ones, in order.
    std::vector<ChecklistItem> countedItems() const;

    bool operator==(const ChecklistTemplate&) const = default;
};

}  // namespace ChecklistKit
