#pragma once

namespace ChecklistKit {

// Ticked and counted items of one checklist.
struct ChecklistProgress {
    int done = 0;
    int total = 0;

    // An empty checklist is never complete.
    bool isComplete() const { return total > 0 && done == total; }

    bool operator==(const ChecklistProgress&) const = default;
};

}  // namespace ChecklistKit
