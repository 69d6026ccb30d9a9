#pragma once

#include "WaylarkKit/Mascot/GlyphOutlines.h"
#include "WaylarkKit/Mascot/MascotKind.h"
#include "WaylarkKit/Mascot/MascotShape.h"
#include "WaylarkKit/Motion/FigureNode.h"

namespace WaylarkKit::MascotArtwork {

// A fresh figure for `kind`: a plain root whose children are the pose's nodes
// in drawing order. Every track begins at `start` on the media clock and
// repeats forever, twice for the celebration; without `animated` the same
// nodes come without any track.
FigureNode make(const MascotKind& kind, bool animated, const MascotShape& shape, double start,
                const GlyphOutlines& glyphs);

// How often `figure`, shown for `kind`, needs a new frame at `now`: slow
// breathing loops need few, a shake or a leap more. A frame repaints only
// what visibly moved.
double framesPerSecond(const MascotKind& kind, const FigureNode& figure, double now);

}  // namespace WaylarkKit::MascotArtwork
