#pragma once

#include <optional>

#include "Base/Result.h"
#include "ChecklistKit/ChecklistState.h"

namespace ChecklistKit {

// Where the checklist model loads its document from and saves it to.
class ChecklistStore {
public:
    virtual ~ChecklistStore() = default;

    // The stored document, or nothing when none is stored or it was unusable.
    virtual std::optional<ChecklistState> load() = 0;
    // Stores the whole document as given.
    virtual Base::Status save(const ChecklistState& state) = 0;
};

}  // namespace ChecklistKit
