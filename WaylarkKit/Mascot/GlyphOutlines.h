#pragma once

#include "WaylarkKit/Motion/VectorPath.h"

namespace WaylarkKit {

enum class GlyphWeight { heavy, black };

// Letter outlines for the figures' marks and letters, so the builder draws
// them without knowing the font machinery.
class GlyphOutlines {
public:
    virtual ~GlyphOutlines() = default;
    // The outline of `character` at `size` units, its origin (the left end of
    // the baseline) at (0, 0) and y growing downward; empty when the font has
    // no glyph for it or the glyph has no outline.
    virtual VectorPath outline(char32_t character, double size, GlyphWeight weight) const = 0;
};

}  // namespace WaylarkKit
