#pragma once

#include <optional>
#include <vector>

#include "ChecklistKit/ChecklistStore.h"

namespace ChecklistKit::Testing {

// Remembers every save, and fails them on demand.
class RecordingChecklistStore final : public ChecklistStore {
public:
    explicit RecordingChecklistStore(std::optional<ChecklistState> initial = std::nullopt)
        : initial_(std::move(initial)) {}

    std::optional<ChecklistState> load() override { return initial_; }
    Base::Status save(const ChecklistState& state) override {
        if (failing) return Base::makeError("disk full");
        saves.push_back(state);
        return Base::Ok{};
    }

    bool failing = false;
    std::vector<ChecklistState> saves;

private:
    std::optional<ChecklistState> initial_;
};

}  // namespace ChecklistKit::Testing
