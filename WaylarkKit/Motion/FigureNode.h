#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "IslandKit/Geometry/Rect.h"
#include "WaylarkKit/Motion/Affine.h"
#include "WaylarkKit/Motion/KeyframeTrack.h"
#include "WaylarkKit/Motion/VectorPath.h"
#include "WaylarkKit/Style/Rgba.h"

namespace WaylarkKit {

// A colour ramp across a node's bounds; points are unit coordinates of the
// bounds. A radial ramp is an ellipse centred on `start` whose radii reach
// `end`.
struct Gradient {
    enum class Kind { linear, radial };
    Kind kind = Kind::linear;
    std::vector<Rgba> colours;
    std::vector<double> locations;
    IslandKit::Point start{0, 0};
    IslandKit::Point end{1, 1};
    bool operator==(const Gradient&) const = default;
};

// A colour that changes over `duration` seconds from `from` to the node's
// current colour, starting at `begin` on the media clock.
struct ColourFade {
    Rgba from;
    double begin = 0;
    double duration = 0;
};

// One node of a drawn figure: a shape (or a plain group) with its place in its
// parent, its own transform, opacity, colours and keyframe tracks, and its
// children drawn after it, in order. Geometry works as in a layer tree: the
// node's bounds are (0, 0, size); `position` is where its anchor point (unit
// coordinates of the bounds) sits in the parent; its transform turns and
// scales about that anchor.
struct FigureNode {
    std::string name;
    IslandKit::Size size;
    IslandKit::Point anchor{0.5, 0.5};
    IslandKit::Point position;

    // The node's own transform, applied translation after rotation after scale.
    double translationX = 0;
    double translationY = 0;
    double rotation = 0;  // radians
    double scaleX = 1;
    double scaleY = 1;
    double opacity = 1;

    std::optional<Rgba> fill;
    std::optional<Rgba> stroke;
    double lineWidth = 0;
    std::optional<Gradient> gradient;  // fills the path in place of `fill`
    Rgba mixColour;                    // where a tintMix track leads the fill
    std::optional<ColourFade> fillFade;
    std::optional<ColourFade> strokeFade;

    std::vector<KeyframeTrack> tracks;
    std::vector<FigureNode> children;

    // The outline in node space, and the box around it (kept with it: every
    // frame asks for it).
    const VectorPath& path() const { return path_; }
    const IslandKit::Rect& pathBounds() const { return pathBounds_; }
    void setPath(VectorPath path) {
        path_ = std::move(path);
        pathBounds_ = path_.bounds();
    }

    // Node space to parent space, with the node's own (unanimated) transform.
    Affine toParent() const;
    // The bounds as the parent sees them: the box around the transformed bounds.
    IslandKit::Rect frame() const;
    bool draws() const { return !path_.isEmpty() && (fill || stroke || gradient); }

    // Whether any node of the subtree has a track.
    bool animates() const;
    // When the subtree stops changing on its own: minus infinity when it never
    // changes, infinity when something repeats forever.
    double settlesAt() const;
    // The shortest move under way anywhere in the subtree at `time`, in
    // seconds (see `KeyframeTrack::moveSecondsAt`).
    double shortestMoveAt(double time) const;

    // Colour changes that fade from what shows at `now` when `fadeSeconds` > 0.
    void recolourFill(Rgba colour, double now, double fadeSeconds);
    void recolourStroke(Rgba colour, double now, double fadeSeconds);

private:
    VectorPath path_;
    IslandKit::Rect pathBounds_;
};

// The fill a node shows at `time` after its fade (tracks aside).
std::optional<Rgba> shownFill(const FigureNode& node, double time);
std::optional<Rgba> shownStroke(const FigureNode& node, double time);

// Component-wise blend of two colours, opacity included.
Rgba mix(const Rgba& from, const Rgba& to, double amount);

}  // namespace WaylarkKit
