#include "ChecklistKit/InMemoryChecklistStore.h"

namespace ChecklistKit {

std::optional<ChecklistState> InMemoryChecklistStore::load() {
    std::lock_guard guard(lock_);
    return stored_;
}

Base::Status InMemoryChecklistStore::save(const ChecklistState& state) {
    std::lock_guard guard(lock_);
    stored_ = state;
    return Base::Ok{};
}

}  // namespace ChecklistKit
