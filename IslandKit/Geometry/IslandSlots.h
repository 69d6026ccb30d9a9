#pragma once

namespace IslandKit {

// Widths that the two side views want beside the notch. Negative widths are
// passed through; the geometry does not clamp them from below.
struct IslandSlots {
    double leading = 0;
    double trailing = 0;
    bool operator==(const IslandSlots&) const = default;
};

}  // namespace IslandKit
