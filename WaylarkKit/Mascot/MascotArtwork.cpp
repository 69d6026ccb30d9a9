#include "WaylarkKit/Mascot/MascotArtwork.h"

#include "WaylarkKit/Mascot/MascotBuilder.h"
#include "WaylarkKit/Motion/KeyframeTrack.h"

namespace WaylarkKit::MascotArtwork {

FigureNode make(const MascotKind& kind, bool animated, const MascotShape& shape, double start,
                const GlyphOutlines& glyphs) {
    MascotBuilder builder(animated, kind.isChecklistDone() ? 2 : KeyframeTrack::forever, shape, start, glyphs);
    FigureNode root;
    if (const auto* session = kind.asSession()) {
        root.children = builder.session(session->verified, session->tint);
    } else if (const auto* restricted = kind.asRestricted()) {
        root.children = builder.restricted(restricted->medium);
    } else if (kind.isOut()) {
        root.children = builder.out();
    } else {
        root.children = builder.checklistDone();
    }
    return root;
}

double framesPerSecond(const MascotKind& kind) {
    if (kind.asSession() != nullptr) return 12;
    if (kind.isOut()) return 10;
    if (kind.asRestricted() != nullptr) return 20;
    return 30;
}

}  // namespace WaylarkKit::MascotArtwork
