#pragma once

#include "WaylarkKit/Motion/FigureNode.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// Names of the nodes that carry a session's accent colour: the contract
// between the builder and the re-tint walk.
inline constexpr const char* tintStemName = "tint.stem";
inline constexpr const char* tintMarkName = "tint.mark";
inline constexpr const char* tintLensName = "tint.lens";

struct MascotTintLayer {
    // Re-colours the accent nodes under `root`, depth first, and nothing else:
    // no node is added, moved or re-animated. The stem keeps whichever of fill
    // and stroke it has; marks take the colour as fill; the lens takes it at
    // opacity 0.2. With `fadeSeconds` > 0 each colour fades from what shows at
    // `now`.
    static void apply(Rgba colour, FigureNode& root, double now = 0, double fadeSeconds = 0);
};

}  // namespace WaylarkKit
