#pragma once

#include <optional>
#include <string>

#include "ChecklistKit/ChecklistProgress.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// The three looks of the checklist's progress badge in the compact island.
struct ChecklistIndicatorState {
    enum class Kind { noChecklist, complete, counting };
    Kind kind = Kind::noChecklist;
    int done = 0;   // counting only
    int total = 0;  // counting only

    static ChecklistIndicatorState from(const std::optional<ChecklistKit::ChecklistProgress>& progress);

    // "3/9" while counting; none for the other two looks.
    std::optional<std::string> text() const;

    bool operator==(const ChecklistIndicatorState&) const = default;
};

// The checklist's own colours.
namespace ChecklistColor {
// A light violet: sRGB 0.7, 0.42, 1.0.
inline constexpr Rgba progress{179, 107, 255, 1};
}  // namespace ChecklistColor

}  // namespace WaylarkKit
