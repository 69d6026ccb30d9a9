#pragma once

#include <string>
#include <vector>

#include "Base/Uuid.h"

namespace ChecklistKit {

// One line of a checklist: a plain tick item, or a question answered by
// picking one of its dropdown options.
struct ChecklistItem {
    Base::Uuid id;
    std::string text;
    std::vector<std::string> options;  // in display order; empty for a plain tick item

    bool hasOptions() const { return !options.empty(); }
    // Nothing but white space and line breaks: such an item is neither shown
    // nor counted nor ticked.
    bool isBlank() const;

    bool operator==(const ChecklistItem&) const = default;
};

}  // namespace ChecklistKit
