#include "WaylarkKit/Motion/FigureLook.h"

#include <algorithm>
#include <cmath>

namespace WaylarkKit {

using IslandKit::Point;
using IslandKit::Rect;

namespace {

void collect(const FigureNode& node, const Affine& parent, double parentOpacity, double time,
             std::vector<DrawItem>& items) {
    double tx = node.translationX, ty = node.translationY, rotation = node.rotation;
    double sx = node.scaleX, sy = node.scaleY, opacity = node.opacity, tintMix = 0;
    for (const KeyframeTrack& track : node.tracks) {
        const std::optional<double> value = track.sample(time);
        if (!value) continue;
        switch (track.property) {
            case AnimatedProperty::opacity: opacity = *value; break;
            case AnimatedProperty::translationX: tx = *value; break;
            case AnimatedProperty::translationY: ty = *value; break;
            case AnimatedProperty::scale: sx = sy = *value; break;
            case AnimatedProperty::scaleX: sx = *value; break;
            case AnimatedProperty::scaleY: sy = *value; break;
            case AnimatedProperty::rotation: rotation = *value; break;
            case AnimatedProperty::tintMix: tintMix = *value; break;
        }
    }
    // Translation after rotation after scale about the anchor, written out:
    // the same sums as multiplying the four maps, without the products by
    // zero and one, and without a sine and cosine for the many nodes that
    // never turn.
    const double cosine = rotation == 0 ? 1 : std::cos(rotation);
    const double sine = rotation == 0 ? 0 : std::sin(rotation);
    const double ax = -node.anchor.x * node.size.width, ay = -node.anchor.y * node.size.height;
    const double a = cosine * sx, b = sine * sx, c = -sine * sy, d = cosine * sy;
    const Affine local{a, b, c, d, a * ax + c * ay + (node.position.x + tx), b * ax + d * ay + (node.position.y + ty)};
    const Affine transform = parent * local;
    const double shown = parentOpacity * std::clamp(opacity, 0.0, 1.0);
    if (node.draws()) {
        std::optional<Rgba> fill = shownFill(node, time);
        if (fill && tintMix != 0) fill = mix(*fill, node.mixColour, std::clamp(tintMix, 0.0, 1.0));
        items.push_back({&node, transform, shown, fill, shownStroke(node, time)});
    }
    for (const FigureNode& child : node.children) collect(child, transform, shown, time, items);
}

int step(double opacity) { return static_cast<int>(std::lround(std::clamp(opacity, 0.0, 1.0) * 255)); }

bool sameColour(const std::optional<Rgba>& a, const std::optional<Rgba>& b) {
    if (a.has_value() != b.has_value()) return false;
    if (!a) return true;
    return a->red == b->red && a->green == b->green && a->blue == b->blue && step(a->opacity) == step(b->opacity);
}

// Whether a corner of the node's box moves by `distance` or more between the
// two items' places. Compared squared: every frame asks this of every node.
bool shiftsBy(const DrawItem& a, const DrawItem& b, double distance) {
    if (a.transform == b.transform) return false;
    const Rect& box = a.node->pathBounds();
    const Point corners[] = {{box.minX(), box.minY()}, {box.maxX(), box.minY()}, {box.minX(), box.maxY()},
                             {box.maxX(), box.maxY()}};
    const double limit = distance * distance;
    for (const Point& corner : corners) {
        const Point p = a.transform.map(corner), q = b.transform.map(corner);
        const double dx = p.x - q.x, dy = p.y - q.y;
        if (dx * dx + dy * dy >= limit) return true;
    }
    return false;
}

bool looksDifferent(const DrawItem& a, const DrawItem& b, double devicePixelsPerUnit) {
    const bool aShows = step(a.opacity) > 0, bShows = step(b.opacity) > 0;
    if (!aShows && !bShows) return false;
    return a.node != b.node || step(a.opacity) != step(b.opacity) || !sameColour(a.fill, b.fill) ||
           !sameColour(a.stroke, b.stroke) || shiftsBy(a, b, 0.25 / devicePixelsPerUnit);
}

}  // namespace

FigureLook sampleFigure(const FigureNode& root, double time) {
    FigureLook look;
    sampleFigure(root, time, look);
    return look;
}

void sampleFigure(const FigureNode& root, double time, FigureLook& into) {
    into.items.clear();
    collect(root, Affine{}, 1, time, into.items);
}

Rect coveredArea(const DrawItem& item) {
    const double half = item.node->stroke ? item.node->lineWidth / 2 : 0;
    return item.transform.mapBounds(item.node->pathBounds().outset(half, half));
}

std::vector<Rect> takeVisibleChanges(FigureLook& shown, const FigureLook& current, double devicePixelsPerUnit) {
    std::vector<Rect> areas;
    const auto add = [&areas](const DrawItem& item) {
        if (step(item.opacity) > 0) areas.push_back(coveredArea(item));
    };
    if (shown.items.size() != current.items.size()) {
        for (const DrawItem& item : shown.items) add(item);
        for (const DrawItem& item : current.items) add(item);
        shown = current;
        return areas;
    }
    for (std::size_t i = 0; i < shown.items.size(); ++i) {
        if (!looksDifferent(shown.items[i], current.items[i], devicePixelsPerUnit)) continue;
        add(shown.items[i]);
        add(current.items[i]);
        shown.items[i] = current.items[i];
    }
    return areas;
}

}  // namespace WaylarkKit
