#include "WaylarkKit/Checklist/ChecklistIndicatorState.h"

namespace WaylarkKit {

ChecklistIndicatorState ChecklistIndicatorState::from(const std::optional<ChecklistKit::ChecklistProgress>& progress) {
    if (!progress) return {Kind::noChecklist, 0, 0};
    if (progress->isComplete()) return {Kind::complete, 0, 0};
    return {Kind::counting, progress->done, progress->total};
}

std::optional<std::string> ChecklistIndicatorState::text() const {
    if (kind != Kind::counting) return std::nullopt;
    return std::to_string(done) + "/" + std::to_string(total);
}

}  // namespace WaylarkKit
