#include "WaylarkKit/Mascot/MascotTintLayer.h"

namespace WaylarkKit {

void MascotTintLayer::apply(Rgba colour, FigureNode& root, double now, double fadeSeconds) {
    if (root.name == tintStemName) {
        if (root.fill) root.recolourFill(colour, now, fadeSeconds);
        if (root.stroke) root.recolourStroke(colour, now, fadeSeconds);
    } else if (root.name == tintMarkName) {
        root.recolourFill(colour, now, fadeSeconds);
    } else if (root.name == tintLensName) {
        root.recolourFill(colour.withOpacity(0.2), now, fadeSeconds);
    }
    for (FigureNode& child : root.children) apply(colour, child, now, fadeSeconds);
}

}  // namespace WaylarkKit
