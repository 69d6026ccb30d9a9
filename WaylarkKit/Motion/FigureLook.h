#pragma once

#include <optional>
#include <vector>

#include "IslandKit/Geometry/Rect.h"
#include "WaylarkKit/Motion/Affine.h"
#include "WaylarkKit/Motion/FigureNode.h"

namespace WaylarkKit {

// How one drawing node of a figure looks at an instant.
struct DrawItem {
    const FigureNode* node = nullptr;
    Affine transform;  // node space to figure space
    double opacity = 1;
    std::optional<Rgba> fill;  // after fades and tint mixing
    std::optional<Rgba> stroke;
};

// A figure sampled at one instant: its drawing nodes in painting order.
struct FigureLook {
    std::vector<DrawItem> items;
};

// The look of the tree under `root` at `time` on the media clock.
FigureLook sampleFigure(const FigureNode& root, double time);
// The same into `into`, whose storage is reused: a view samples every frame.
void sampleFigure(const FigureNode& root, double time, FigureLook& into);

// Brings `shown` (what the screen shows) up to `current` for the items that
// visibly changed (a move or resize of a quarter of a device pixel or more, a
// colour or opacity change of a channel step or more; `devicePixelsPerUnit`
// is the figure's scale on the device) and returns the areas to repaint, the old and the new place
// of each (none when nothing visibly changed). Items that changed too little
// to see keep their old reference, so a slow drift is repainted once it adds
// up to a visible step.
std::vector<IslandKit::Rect> takeVisibleChanges(FigureLook& shown, const FigureLook& current,
                                                double devicePixelsPerUnit);

// The area an item covers, stroke included, in figure units.
IslandKit::Rect coveredArea(const DrawItem& item);

}  // namespace WaylarkKit
