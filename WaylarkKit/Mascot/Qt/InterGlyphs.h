#pragma once

#include "WaylarkKit/Mascot/GlyphOutlines.h"

namespace WaylarkKit {

// Letter outlines from Inter's heavy (ExtraBold) and black cuts, read from the
// font files themselves so the figures look the same on every machine. Needs
// the application object.
class InterGlyphs final : public GlyphOutlines {
public:
    VectorPath outline(char32_t character, double size, GlyphWeight weight) const override;
};

}  // namespace WaylarkKit
