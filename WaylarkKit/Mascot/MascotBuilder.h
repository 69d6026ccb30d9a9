#pragma once

#include <optional>
#include <vector>

#include "TradingCore/Model/IntervalColor.h"
#include "WaylarkKit/Mascot/GlyphOutlines.h"
#include "WaylarkKit/Mascot/MascotShape.h"
#include "WaylarkKit/Mascot/MascotTrack.h"
#include "WaylarkKit/Motion/FigureNode.h"
#include "WaylarkKit/Motion/TimingCurve.h"

namespace WaylarkKit {

// Builds the nodes of one mascot figure. Holds what one build shares: whether
// to animate at all, how often every animation repeats, the proportions, the
// one media time at which every track begins (so all run in phase), and the
// letter outlines.
class MascotBuilder {
public:
    MascotBuilder(bool animated, double loops, const MascotShape& form, double start, const GlyphOutlines& glyphs)
        : animated_(animated), loops_(loops), form_(form), start_(start), glyphs_(glyphs) {}

    // The poses, each as its top-level nodes in drawing order.
    std::vector<FigureNode> session(bool verified, std::optional<TradingCore::IntervalColor> tint);
    std::vector<FigureNode> restricted(bool medium);
    std::vector<FigureNode> out();
    std::vector<FigureNode> checklistDone();

    // Pieces of the figure several poses share.
    FigureNode stem(Rgba accent, bool hollow);
    std::vector<FigureNode> faceBase();
    FigureNode eyes(bool scan);
    std::vector<FigureNode> cheeks();
    FigureNode feature(const VectorPath& path, double width);
    FigureNode body(std::vector<FigureNode> parts, const std::vector<MascotTrack>& tracks, double duration, Ease ease);

    // A shape that sits exactly where `path` was drawn, turning and scaling
    // about the centre of the path's box.
    static FigureNode shape(const VectorPath& path, std::optional<Rgba> fill, std::optional<Rgba> stroke,
                            double lineWidth, double opacity = 1);
    // A container around `nodes` that moves nothing on screen and pivots at
    // `anchor`, in unit coordinates of the box around their frames.
    static FigureNode group(std::vector<FigureNode> nodes, IslandKit::Point anchor);
    static IslandKit::Rect unitedFrame(const std::vector<FigureNode>& nodes);

    // Attaches a track (when animating) beginning `delay` after the start.
    void animate(FigureNode& node, const MascotTrack& track, double duration, Ease ease, double delay = 0,
                 bool autoreverses = false) const;

private:
    FigureNode eye(double x);
    FigureNode lupa(Rgba accent);
    std::vector<FigureNode> zzz();
    std::vector<FigureNode> drool();
    FigureNode alertMark(Rgba accent, double x, double delay);
    FigureNode confetti(Rgba colour, double dx, double dy, double spin, double delay);
    FigureNode badge();

    bool animated_;
    double loops_;
    MascotShape form_;
    double start_;
    const GlyphOutlines& glyphs_;
};

}  // namespace WaylarkKit
