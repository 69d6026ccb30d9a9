#include "WaylarkKit/Mascot/MascotArtwork.h"

#include "WaylarkKit/Mascot/MascotBuilder.h"
#include "WaylarkKit/Motion/FrameClock.h"
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

double framesPerSecond(const MascotKind& kind, const FigureNode& figure, double now) {
    // Every repainted frame of the island costs CPU, and the session and out
    // poses loop all day: their loops (3.2 s and longer) get the loop rate.
    // The restriction's head shake swings every 0.13 s and needs more while
    // it runs, and only then: its glow and marks pulse as slowly as a loop.
    // The 7 s celebration gets every frame it can use.
    if (kind.asSession() != nullptr || kind.isOut()) return FrameClock::loopFramesPerSecond;
    if (kind.asRestricted() != nullptr) {
        constexpr double quickMove = 0.25;
        const double ahead = now + 1 / FrameClock::loopFramesPerSecond;
        const bool shaking = figure.shortestMoveAt(now) < quickMove || figure.shortestMoveAt(ahead) < quickMove;
        return shaking ? 15 : FrameClock::loopFramesPerSecond;
    }
    return 30;
}

}  // namespace WaylarkKit::MascotArtwork
