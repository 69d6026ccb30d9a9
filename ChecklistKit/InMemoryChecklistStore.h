#pragma once

#include <optional>

#include "Base/Locked.h"
#include "ChecklistKit/ChecklistStore.h"

namespace ChecklistKit {

// Keeps the document in memory only (the showreel runs on one, so it never
// touches the user's file). Load gives back exactly what was saved, unrepaired.
// Safe to use from any thread.
class InMemoryChecklistStore final : public ChecklistStore {
public:
    explicit InMemoryChecklistStore(std::optional<ChecklistState> initial = std::nullopt)
        : stored_(std::move(initial)) {}

    std::optional<ChecklistState> load() override { return stored_.get(); }
    Base::Status save(const ChecklistState& state) override {
        stored_.set(state);
        return Base::Ok{};
    }

private:
    Base::Locked<std::optional<ChecklistState>> stored_;
};

}  // namespace ChecklistKit
